// The class store against both databases it is meant for: a SQLite file and
// a real PostgreSQL server started for the test.
#include "ThrowawayPostgres.h"

#include "classroom/ClassStore.h"
#include "tests/support/TempFolder.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

using namespace dorvel::classroom;

enum class Backend { Sqlite,
                     Postgres };

dorvel::test::ThrowawayPostgres* Postgres()
{
    // One server for the whole program (starting one takes seconds), stopped
    // and removed when the program ends.
    static dorvel::test::ThrowawayPostgres server;
    return &server;
}

class ClassStoreTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        if (GetParam() == Backend::Postgres) {
            if (Postgres()->missingBinaries())
                GTEST_SKIP() << Postgres()->problem();
            ASSERT_EQ(Postgres()->problem(), "");
            where = Postgres()->url();
        } else {
            where = folder.path("classes.sqlite");
        }
    }
    std::unique_ptr<ClassStore> open()
    {
        std::string error;
        auto store = ClassStore::open(where, error);
        EXPECT_TRUE(store) << error;
        return store;
    }
    static ClassRecord NewClass(const std::string& id, const std::string& set)
    {
        return {id, set, "Rivers of Europe", "K7PQ2M", "teacher-" + id, 8123, 1765400000, false};
    }

    dorvel::test::TempFolder folder;
    std::string where;
};

TEST_P(ClassStoreTest, KeepsEveryChangeForTheNextOpenAndDeletesOneClassOnly)
{
    const std::string id = "c-keep";
    {
        auto store = open();
        ASSERT_TRUE(store);
        ASSERT_TRUE(store->addClass(NewClass(id, "/sets/rivers.vtd")));
        ASSERT_TRUE(store->addClass(NewClass(id + "-other", "/sets/rivers.vtd")));
        ASSERT_TRUE(store->addStudent(id, {1, "Zoë O'Brien, \"Zo\"", "s1", 1765400010, {}, 0, 0}));
        ASSERT_TRUE(store->addStudent(id, {2, "Ali", "s2", 1765400011, {}, 0, 0}));
        ASSERT_TRUE(store->putAnswer(id, {1, 3, R"({"chosen":[1]})", 1000}));
        // Given again: the later response replaces the earlier one.
        ASSERT_TRUE(store->putAnswer(id, {1, 3, R"({"chosen":[2]})", 2000}));
        ASSERT_TRUE(store->putAnswer(id, {2, 3, R"({"chosen":[0]})", 2100}));
        ASSERT_TRUE(store->setProgress(id, 1, {3, 1, 2}, 2));
        ASSERT_TRUE(store->setFinished(id, 2, 1765400099));
        ASSERT_TRUE(store->addStudent(id + "-other", {1, "Other", "s", 1, {}, 0, 0}));
        // The server writes from a thread of its own.
        std::thread writer([&] { EXPECT_TRUE(store->putAnswer(id, {2, 1, R"({"typed":["Rhine"]})", 2200})); });
        writer.join();
        // A student cannot be added twice under one number.
        EXPECT_FALSE(store->addStudent(id, {2, "Again", "s3", 0, {}, 0, 0}));
        EXPECT_NE(store->lastError(), "");
    }
    auto store = open();  // as after a restart
    ASSERT_TRUE(store);
    StoredClass kept;
    ASSERT_TRUE(store->load(id, kept)) << store->lastError();
    EXPECT_EQ(kept.record.title, "Rivers of Europe");
    EXPECT_EQ(kept.record.code, "K7PQ2M");
    EXPECT_EQ(kept.record.teacherToken, "teacher-" + id);
    EXPECT_EQ(kept.record.port, 8123);
    ASSERT_EQ(kept.students.size(), 2u);
    EXPECT_EQ(kept.students[0].name, "Zoë O'Brien, \"Zo\"");
    EXPECT_EQ(kept.students[0].secret, "s1");
    EXPECT_EQ(kept.students[0].order, (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(kept.students[0].position, 2);
    EXPECT_EQ(kept.students[0].finished, 0);
    EXPECT_EQ(kept.students[1].finished, 1765400099);
    ASSERT_EQ(kept.answers.size(), 3u);
    EXPECT_EQ(kept.answers[0].response, R"({"chosen":[2]})");
    EXPECT_EQ(kept.answers[0].at, 2000);
    EXPECT_EQ(kept.answers[1].question, 1);
    EXPECT_EQ(kept.answers[1].response, R"({"typed":["Rhine"]})");

    ASSERT_TRUE(store->deleteClass(id));
    EXPECT_FALSE(store->load(id, kept));
    StoredClass other;
    ASSERT_TRUE(store->load(id + "-other", other));
    EXPECT_EQ(other.students.size(), 1u);
    ASSERT_TRUE(store->deleteClass(id + "-other"));
}

TEST_P(ClassStoreTest, OffersOnlyTheOpenClassesOfTheSetLatestFirst)
{
    auto store = open();
    ASSERT_TRUE(store);
    ClassRecord early = NewClass("c-early", "/sets/a.vtd");
    ClassRecord late = NewClass("c-late", "/sets/a.vtd");
    late.opened += 60;
    ClassRecord closed = NewClass("c-closed", "/sets/a.vtd");
    closed.opened += 120;
    ASSERT_TRUE(store->addClass(early));
    ASSERT_TRUE(store->addClass(late));
    ASSERT_TRUE(store->addClass(closed));
    ASSERT_TRUE(store->addClass(NewClass("c-elsewhere", "/sets/b.vtd")));
    ASSERT_TRUE(store->setClosed("c-closed", true));
    const std::vector<ClassRecord> open = store->openClassesOf("/sets/a.vtd");
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[0].id, "c-late");
    EXPECT_EQ(open[1].id, "c-early");
    for (const char* id : {"c-early", "c-late", "c-closed", "c-elsewhere"})
        ASSERT_TRUE(store->deleteClass(id));
}

TEST_P(ClassStoreTest, RefusesTablesOfALaterVersionAndLeavesThemAlone)
{
    {
        auto store = open();
        ASSERT_TRUE(store);
    }
    const auto execute = [&](const char* sql) {
        const QString name = QStringLiteral("later-version");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(
                GetParam() == Backend::Postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name);
            if (GetParam() == Backend::Postgres) {
                db.setHostName(QStringLiteral("127.0.0.1"));
                db.setPort(QString::fromStdString(where).section(QLatin1Char(':'), 2).section(QLatin1Char('/'), 0, 0).toInt());
                db.setUserName(QStringLiteral("postgres"));
                db.setDatabaseName(QStringLiteral("postgres"));
            } else {
                db.setDatabaseName(QString::fromStdString(where));
            }
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec(QString::fromLatin1(sql)));
        }
        QSqlDatabase::removeDatabase(name);
    };
    execute("INSERT INTO dorvel_class_schema (version) VALUES (2)");
    std::string error;
    EXPECT_FALSE(ClassStore::open(where, error));
    EXPECT_NE(error.find("later version"), std::string::npos) << error;
    execute("DELETE FROM dorvel_class_schema WHERE version = 2");
    EXPECT_TRUE(ClassStore::open(where, error)) << error;
}

INSTANTIATE_TEST_SUITE_P(Databases, ClassStoreTest, ::testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const auto& info) { return info.param == Backend::Sqlite ? "Sqlite" : "Postgres"; });

TEST(ClassStore, SaysWhyAStoreCannotBeOpened)
{
    std::string error;
    EXPECT_FALSE(ClassStore::open("/nonexistent-folder/classes.sqlite", error));
    EXPECT_NE(error.find("/nonexistent-folder/classes.sqlite"), std::string::npos) << error;
    EXPECT_FALSE(ClassStore::open("postgresql://nobody@127.0.0.1:1/none", error));
    EXPECT_NE(error.find("PostgreSQL"), std::string::npos) << error;
    EXPECT_EQ(DefaultStoreFor("/sets/Rivers 2.vtd"), "/sets/Rivers 2.classes.sqlite");
}

}  // namespace
