// ESLint over the web test's scripts (export/web/) and the browser tests'
// own scripts: the rules that catch real faults (a name never defined, an
// assignment that makes a global by mistake, a name declared twice, a
// variable left unused), not layout.
//
// The web test's scripts are classic scripts, and their pages are made of
// several of them: the control page joins the blocks of export/web/control/
// to the variables of its head and to control-keys.js (and scorm.js in a
// learning platform's package). A top-level declaration is a global of its
// page, used by name from the other scripts of that page and from other
// frames as a property (parent.control.$qMove$). So each page's names are
// read from its sources below and given to each of its scripts as globals:
// a misspelt name, or an assignment to a name that no script of the page
// declares, is still an error.
import fs from "node:fs";
import path from "node:path";
import globals from "globals";

const web = "export/web";

// Top-level names a script declares: `function name(` and `var a, b = 1;`
// at the start of a line (the house layout of these sources).
function declaredNames(...files) {
  const names = {};
  for (const file of files) {
    const text = fs.readFileSync(file, "utf8");
    for (const m of text.matchAll(/^function\s+([\w$]+)\s*\(/gm)) names[m[1]] = "writable";
    for (const m of text.matchAll(/^var\s+([^;\n]+)/gm)) {
      for (const part of m[1].split(",")) {
        const name = part.split("=")[0].trim();
        if (/^[\w$]+$/.test(name)) names[name] = "writable";
      }
    }
  }
  return names;
}

const controlBlocks = fs.readdirSync(path.join(web, "control")).map((f) => path.join(web, "control", f));
const controlPage = declaredNames(
  path.join(web, "fragments/control-head.htm"),
  ...controlBlocks,
  path.join(web, "control-keys.js"),
  path.join(web, "scorm.js"),
);
const questionPage = declaredNames(path.join(web, "p.js"));
// The frameset: pages.js fills pageTexts, a single-file test's head fills
// pageMedia, and the loader's functions serve every frame (parent.showPage).
const frameset = {
  ...declaredNames(path.join(web, "loader.js"), path.join(web, "single.js"), path.join(web, "preview-reload.js")),
  pageTexts: "writable",
  pageMedia: "writable",
};

const faults = {
  "no-undef": "error",
  "no-implicit-globals": "error",
  // A name declared twice in one script; a page's shared names are globals
  // by design, so declaring one is not a redeclaration of a built-in.
  "no-redeclare": ["error", { builtinGlobals: false }],
  "no-unused-vars": ["error", { caughtErrors: "none" }],
};

function classicScripts(files, pageNames) {
  return {
    files,
    languageOptions: {
      sourceType: "script",
      ecmaVersion: 2020,
      globals: { ...globals.browser, ...pageNames },
    },
    // A top-level function may be called only from another frame or from
    // the markup: only local names are checked for use.
    rules: {
      ...faults,
      "no-unused-vars": ["error", { vars: "local", caughtErrors: "none" }],
      // The old global `event` is the event being handled only while a
      // handler runs, and only in browsers that keep it: take the handler's
      // argument instead.
      "no-restricted-globals": ["error", { name: "event", message: "Use the event passed to the handler." }],
    },
  };
}

export default [
  {
    ignores: [
      "build/**",
      "build-*/**",
      "**/node_modules/**",
      // Inline handler texts with {{...}} placeholders, not whole scripts.
      "export/web/fragments/**",
      // Pages the export wrote, compared byte for byte.
      "tests/export/golden/**",
    ],
  },
  classicScripts([`${web}/control/*.js`, `${web}/control-keys.js`, `${web}/scorm.js`], controlPage),
  classicScripts([`${web}/p.js`], questionPage),
  classicScripts([`${web}/loader.js`, `${web}/single.js`, `${web}/preview-reload.js`], frameset),
  // Marking, shared by the new pages (a classic script defining
  // window.DorvelMarking) and Node (module.exports).
  {
    files: ["marking/marking.js"],
    languageOptions: {
      sourceType: "script",
      ecmaVersion: 2020,
      globals: { ...globals.browser, module: "readonly" },
    },
    rules: { ...faults, eqeqeq: "error" },
  },
  {
    files: ["tests/marking/**/*.cjs"],
    languageOptions: { sourceType: "commonjs", ecmaVersion: 2024, globals: { ...globals.node } },
    rules: { ...faults, eqeqeq: "error" },
  },
  // The script a class's server adds to the test's pages (classroom/web/).
  {
    files: ["classroom/web/*.js"],
    languageOptions: { sourceType: "script", ecmaVersion: 2020, globals: { ...globals.browser } },
    rules: { ...faults, eqeqeq: "error" },
  },
  {
    files: ["tests/browser/**/*.js"],
    languageOptions: {
      sourceType: "module",
      ecmaVersion: 2024,
      // Callbacks handed to page.evaluate run in the browser.
      globals: { ...globals.node, ...globals.browser },
    },
    // The engine compares loosely by design (numbers against the texts of
    // attributes); the tests' own code does not.
    rules: { ...faults, eqeqeq: "error" },
  },
];
