// The installation folder as a build without tests finds it: this test
// compiles Installation.cpp without the test hooks, as such a build does.
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "tests/building/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace dorvel {
namespace {

#ifdef DORVEL_TEST_HOOKS
#error "ReleaseHomeTest must compile Installation.cpp without DORVEL_TEST_HOOKS"
#endif

TEST(InstallationFolder, AStrayDorvelHomeIsIgnoredByABuildWithoutTests)
{
    int argc = 1;
    char name[] = "release_home_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    test::TempFolder elsewhere;
    test::ScopedEnvironment env;
    env.set("DORVEL_HOME", elsewhere.path());
    EXPECT_EQ(InstallationFolder(), WithSeparator(fromQString(QCoreApplication::applicationDirPath())));
    EXPECT_NE(TemplatesFolder().rfind(WithSeparator(elsewhere.path()), 0), 0u);
    // What tests do in-process still works.
    SetInstallationFolder(elsewhere.path());
    EXPECT_EQ(InstallationFolder(), WithSeparator(elsewhere.path()));
    SetInstallationFolder({});
}

}  // namespace
}  // namespace dorvel
