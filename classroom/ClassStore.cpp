#include "classroom/ClassStore.h"

#include "storage/FileUtils.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>

#include <atomic>
#include <sstream>
#include <thread>

namespace dorvel::classroom {

namespace {

// The tables as both databases take them: plain types, and "ON CONFLICT"
// (SQLite 3.24 and PostgreSQL 9.5 on) for an answer given again.
const char* const kTables[] = {
    "CREATE TABLE IF NOT EXISTS dorvel_class_schema (version INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS dorvel_classes (id VARCHAR(64) PRIMARY KEY, set_path TEXT NOT NULL,"
    " title TEXT NOT NULL, code VARCHAR(16) NOT NULL, teacher_token VARCHAR(64) NOT NULL, port INTEGER NOT NULL,"
    " opened BIGINT NOT NULL, closed INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS dorvel_students (class_id VARCHAR(64) NOT NULL, id INTEGER NOT NULL,"
    " name TEXT NOT NULL, secret VARCHAR(64) NOT NULL, joined BIGINT NOT NULL, question_order TEXT NOT NULL,"
    " position INTEGER NOT NULL, finished BIGINT NOT NULL, PRIMARY KEY (class_id, id))",
    "CREATE TABLE IF NOT EXISTS dorvel_answers (class_id VARCHAR(64) NOT NULL, student INTEGER NOT NULL,"
    " question INTEGER NOT NULL, response TEXT NOT NULL, at BIGINT NOT NULL,"
    " PRIMARY KEY (class_id, student, question))",
};

std::string OrderText(const std::vector<int>& order)
{
    std::string text;
    for (int id : order) {
        if (!text.empty())
            text += ',';
        text += std::to_string(id);
    }
    return text;
}

std::vector<int> OrderOf(const QString& text)
{
    std::vector<int> order;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int id = part.toInt(&ok);
        if (ok)
            order.push_back(id);
    }
    return order;
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string S(const QVariant& value)
{
    return value.toString().toStdString();
}

}  // namespace

ClassStore::~ClassStore()
{
    // Connections of other threads are removed without touching them (Qt
    // allows a connection's use only in its own thread).
    for (const auto& [name, opened] : m_connections)
        QSqlDatabase::removeDatabase(Q(name));
}

std::unique_ptr<ClassStore> ClassStore::open(const std::string& where, std::string& error)
{
    static std::atomic<int> stores = 0;
    std::unique_ptr<ClassStore> store(new ClassStore);
    store->m_where = where;
    store->m_postgres = where.rfind("postgresql://", 0) == 0 || where.rfind("postgres://", 0) == 0;
    store->m_prefix = "dorvel-class-" + std::to_string(++stores) + "-";
    const char* driver = store->m_postgres ? "QPSQL" : "QSQLITE";
    if (!QSqlDatabase::isDriverAvailable(QLatin1String(driver))) {
        error = std::string("the Qt SQL driver ") + driver + " is not installed ("
            + (store->m_postgres ? "libqt6sql6-psql" : "libqt6sql6-sqlite") + ")";
        return nullptr;
    }
    std::string name;
    if (!store->connection(name)) {
        error = store->m_error;
        return nullptr;
    }
    QSqlDatabase db = QSqlDatabase::database(Q(name), false);
    db.transaction();
    // Created on first use; a store that has them is left as it is.
    const bool fresh = !db.tables().contains(QStringLiteral("dorvel_class_schema"));
    for (std::size_t i = 0; fresh && i < std::size(kTables); ++i) {
        if (!store->run(kTables[i], {})) {
            db.rollback();
            error = store->m_error;
            return nullptr;
        }
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT MAX(version) FROM dorvel_class_schema")) || !query.next()) {
        db.rollback();
        error = "cannot read the store's version: " + query.lastError().text().toStdString();
        return nullptr;
    }
    const QVariant version = query.value(0);
    query.finish();
    if (version.isNull()) {
        if (!store->run("INSERT INTO dorvel_class_schema (version) VALUES (?)", {kSchemaVersion})) {
            db.rollback();
            error = store->m_error;
            return nullptr;
        }
    } else if (version.toInt() > kSchemaVersion) {
        db.rollback();
        error = "the store was written by a later version of Dorvel (tables version " + std::to_string(version.toInt())
            + ")";
        return nullptr;
    }
    if (!db.commit()) {
        error = "cannot write the store: " + db.lastError().text().toStdString();
        return nullptr;
    }
    return store;
}

bool ClassStore::connection(std::string& name)
{
    std::ostringstream thread;
    thread << std::this_thread::get_id();
    name = m_prefix + thread.str();
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_connections.count(name))
            return QSqlDatabase::database(Q(name), false).isOpen() || fail("the store's connection is closed");
        m_connections[name] = true;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(m_postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), Q(name));
    if (m_postgres) {
        const QUrl url(Q(m_where));
        db.setHostName(url.host().isEmpty() ? QStringLiteral("localhost") : url.host());
        if (url.port() > 0)
            db.setPort(url.port());
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    } else {
        db.setDatabaseName(Q(m_where));
        // Another connection (the teacher's window reads while the server
        // writes) waits for a lock instead of failing at once.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    }
    if (!db.open())
        return fail("cannot open the store " + (m_postgres ? std::string("on the PostgreSQL server") : m_where) + ": "
                    + db.lastError().text().toStdString());
    if (!m_postgres) {
        // The journal beside the file lets readers go on while an answer is
        // written; every commit reaches the disk before the answer is confirmed.
        QSqlQuery pragma(db);
        if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
            return fail("cannot set up the store " + m_where + ": " + pragma.lastError().text().toStdString());
    }
    return true;
}

bool ClassStore::fail(const std::string& what)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_error = what;
    return false;
}

std::string ClassStore::lastError() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_error;
}

bool ClassStore::run(const char* sql, const QVariantList& values)
{
    std::string name;
    if (!connection(name))
        return false;
    QSqlQuery query(QSqlDatabase::database(Q(name), false));
    // PostgreSQL prepares only queries and changes, not the creation of tables.
    if (values.isEmpty()) {
        if (!query.exec(QString::fromLatin1(sql)))
            return fail("the store did not take the change: " + query.lastError().text().toStdString());
        return true;
    }
    if (!query.prepare(QString::fromLatin1(sql)))
        return fail("the store refused a statement: " + query.lastError().text().toStdString());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return fail("the store did not take the change: " + query.lastError().text().toStdString());
    return true;
}

bool ClassStore::addClass(const ClassRecord& r)
{
    return run("INSERT INTO dorvel_classes (id, set_path, title, code, teacher_token, port, opened, closed)"
               " VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
               {Q(r.id), Q(r.setPath), Q(r.title), Q(r.code), Q(r.teacherToken), r.port,
                static_cast<qint64>(r.opened), r.closed ? 1 : 0});
}

bool ClassStore::setClosed(const std::string& classId, bool closed)
{
    return run("UPDATE dorvel_classes SET closed = ? WHERE id = ?", {closed ? 1 : 0, Q(classId)});
}

bool ClassStore::setPort(const std::string& classId, int port)
{
    return run("UPDATE dorvel_classes SET port = ? WHERE id = ?", {port, Q(classId)});
}

bool ClassStore::addStudent(const std::string& classId, const StudentRecord& s)
{
    return run("INSERT INTO dorvel_students (class_id, id, name, secret, joined, question_order, position, finished)"
               " VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
               {Q(classId), s.id, Q(s.name), Q(s.secret), static_cast<qint64>(s.joined), Q(OrderText(s.order)),
                s.position, static_cast<qint64>(s.finished)});
}

bool ClassStore::setProgress(const std::string& classId, int student, const std::vector<int>& order, int position)
{
    return run("UPDATE dorvel_students SET question_order = ?, position = ? WHERE class_id = ? AND id = ?",
               {Q(OrderText(order)), position, Q(classId), student});
}

bool ClassStore::setFinished(const std::string& classId, int student, std::int64_t finished)
{
    return run("UPDATE dorvel_students SET finished = ? WHERE class_id = ? AND id = ?",
               {static_cast<qint64>(finished), Q(classId), student});
}

bool ClassStore::putAnswer(const std::string& classId, const AnswerRecord& a)
{
    return run("INSERT INTO dorvel_answers (class_id, student, question, response, at) VALUES (?, ?, ?, ?, ?)"
               " ON CONFLICT (class_id, student, question) DO UPDATE SET response = excluded.response, at = excluded.at",
               {Q(classId), a.student, a.question, Q(a.response), static_cast<qint64>(a.at)});
}

bool ClassStore::deleteClass(const std::string& classId)
{
    std::string name;
    if (!connection(name))
        return false;
    QSqlDatabase db = QSqlDatabase::database(Q(name), false);
    db.transaction();
    const bool done = run("DELETE FROM dorvel_answers WHERE class_id = ?", {Q(classId)})
        && run("DELETE FROM dorvel_students WHERE class_id = ?", {Q(classId)})
        && run("DELETE FROM dorvel_classes WHERE id = ?", {Q(classId)});
    if (!done) {
        db.rollback();
        return false;
    }
    return db.commit() || fail("the store did not take the change: " + db.lastError().text().toStdString());
}

std::vector<ClassRecord> ClassStore::openClassesOf(const std::string& setPath)
{
    std::vector<ClassRecord> out;
    std::string name;
    if (!connection(name))
        return out;
    QSqlQuery query(QSqlDatabase::database(Q(name), false));
    query.prepare(QStringLiteral("SELECT id, set_path, title, code, teacher_token, port, opened, closed"
                                 " FROM dorvel_classes WHERE set_path = ? AND closed = 0 ORDER BY opened DESC, id"));
    query.addBindValue(Q(setPath));
    if (!query.exec()) {
        fail("cannot read the store: " + query.lastError().text().toStdString());
        return out;
    }
    while (query.next()) {
        out.push_back({S(query.value(0)), S(query.value(1)), S(query.value(2)), S(query.value(3)),
                       S(query.value(4)), query.value(5).toInt(), query.value(6).toLongLong(),
                       query.value(7).toInt() != 0});
    }
    return out;
}

bool ClassStore::load(const std::string& classId, StoredClass& out)
{
    out = {};
    std::string name;
    if (!connection(name))
        return false;
    QSqlDatabase db = QSqlDatabase::database(Q(name), false);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT id, set_path, title, code, teacher_token, port, opened, closed"
                                 " FROM dorvel_classes WHERE id = ?"));
    query.addBindValue(Q(classId));
    if (!query.exec())
        return fail("cannot read the store: " + query.lastError().text().toStdString());
    if (!query.next())
        return fail("no class " + classId + " in the store");
    out.record = {S(query.value(0)), S(query.value(1)), S(query.value(2)), S(query.value(3)),
                  S(query.value(4)), query.value(5).toInt(), query.value(6).toLongLong(), query.value(7).toInt() != 0};
    query.finish();

    query.prepare(QStringLiteral("SELECT id, name, secret, joined, question_order, position, finished"
                                 " FROM dorvel_students WHERE class_id = ? ORDER BY id"));
    query.addBindValue(Q(classId));
    if (!query.exec())
        return fail("cannot read the store: " + query.lastError().text().toStdString());
    while (query.next()) {
        out.students.push_back({query.value(0).toInt(), S(query.value(1)), S(query.value(2)),
                                query.value(3).toLongLong(), OrderOf(query.value(4).toString()),
                                query.value(5).toInt(), query.value(6).toLongLong()});
    }
    query.finish();

    query.prepare(QStringLiteral("SELECT student, question, response, at FROM dorvel_answers WHERE class_id = ?"
                                 " ORDER BY student, question"));
    query.addBindValue(Q(classId));
    if (!query.exec())
        return fail("cannot read the store: " + query.lastError().text().toStdString());
    while (query.next())
        out.answers.push_back({query.value(0).toInt(), query.value(1).toInt(), S(query.value(2)), query.value(3).toLongLong()});
    return true;
}

std::string DefaultStoreFor(const std::string& setPath)
{
    const QFileInfo set(Q(setPath));
    return (set.absolutePath() + QLatin1Char('/') + set.completeBaseName() + QStringLiteral(".classes.sqlite")).toStdString();
}

}  // namespace dorvel::classroom
