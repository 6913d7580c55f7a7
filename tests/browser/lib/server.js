// A static file server on loopback, for folders that are not a web test
// export (probe pages) and as a stand-in while no `dorvel-cli serve` is at
// hand. Like the file systems the tests were made for, it finds names
// regardless of case: pages ask for "buttons/" and the folder is "Buttons".
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const TYPES = { '.htm': 'text/html', '.html': 'text/html', '.js': 'text/javascript', '.gif': 'image/gif',
  '.png': 'image/png', '.jpg': 'image/jpeg', '.wav': 'audio/wav', '.mp3': 'audio/mpeg' };

function findIgnoringCase(root, parts) {
  let current = root;
  for (const part of parts) {
    if (!part || part === '.' || part === '..') return null;
    let names;
    try { names = fs.readdirSync(current); } catch { return null; }
    const name = names.find((n) => n === part) ?? names.find((n) => n.toLowerCase() === part.toLowerCase());
    if (!name) return null;
    current = path.join(current, name);
  }
  return current;
}

export async function serveFolder(root) {
  const server = http.createServer((req, res) => {
    const parts = decodeURIComponent(new URL(req.url, 'http://x').pathname).split('/').slice(1);
    const file = findIgnoringCase(root, parts);
    if (!file || !fs.statSync(file).isFile()) {
      res.writeHead(404).end('not found');
      return;
    }
    res.writeHead(200, { 'content-type': TYPES[path.extname(file).toLowerCase()] ?? 'application/octet-stream' });
    res.end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}
