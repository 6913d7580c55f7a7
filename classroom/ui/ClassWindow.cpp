#include "classroom/ui/ClassWindow.h"

#include "classroom/QrCode.h"
#include "languages/LangStrings.h"
#include "model/OpenSet.h"
#include "platform/UserInterface.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

namespace dorvel {

using namespace classroom;

namespace {

// Entries of the language packs (data/lang, 57-class.lines).
enum : int {
    kTitle = 700,
    kServeOn = 701,
    kThisComputer = 702,
    kSchoolNetwork = 703,
    kStart = 704,
    kStudentsOpen = 705,
    kClassCode = 706,
    kName = 707,
    kAnswered = 708,
    kFinished = 709,
    kScore = 710,
    kQuestion = 711,
    kRight = 712,
    kWrongAnswers = 713,
    kCloseTest = 714,
    kOpenTest = 715,
    kExportCsv = 716,
    kPrintList = 717,
    kEndAndDelete = 718,
    kSaveFirst = 719,
    kReallyDelete = 720,
    kYes = 721,
    kNo = 722,
    kKeptIn = 723,
    kNotWritten = 724,
    kCannotStart = 725,
};

QPixmap QrPixmap(const std::string& text, int scale)
{
    const QrCode code = QrCodeOf(text);
    const int quiet = 4;
    const int side = (code.size + 2 * quiet) * scale;
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    for (int y = 0; y < code.size; ++y) {
        for (int x = 0; x < code.size; ++x) {
            if (code.at(x, y))
                painter.fillRect((x + quiet) * scale, (y + quiet) * scale, scale, scale, Qt::black);
        }
    }
    return pixmap;
}

QTableWidget* NewTable(QWidget* parent, const QString& name, const QStringList& headers)
{
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void SetCell(QTableWidget* table, int row, int column, const QString& text)
{
    auto* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    if (item->text() != text)
        item->setText(text);
}

QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

}  // namespace

ClassWindow::ClassWindow(QWidget* parent, std::string setPath, const LangStrings& lang, std::string language,
                         UserInterface& ui)
    : QDialog(parent)
    , m_setPath(std::move(setPath))
    , m_lang(lang)
    , m_language(std::move(language))
    , m_ui(ui)
{
    setObjectName(QStringLiteral("ClassWindow"));
    setWindowTitle(text(kTitle) + QStringLiteral(": ") + QFileInfo(QString::fromStdString(m_setPath)).fileName());
    auto* layout = new QVBoxLayout(this);

    auto* where = new QHBoxLayout;
    where->addWidget(new QLabel(text(kServeOn), this));
    m_where = new QComboBox(this);
    m_where->setObjectName(QStringLiteral("ServeOn"));
    m_where->addItem(text(kThisComputer), QStringLiteral("127.0.0.1"));
    const QString network = QString::fromStdString(NetworkAddress());
    if (!network.isEmpty())
        m_where->addItem(text(kSchoolNetwork).replace(QStringLiteral("%1"), network), network);
    where->addWidget(m_where, 1);
    m_start = new QPushButton(text(kStart), this);
    m_start->setObjectName(QStringLiteral("StartClass"));
    where->addWidget(m_start);
    layout->addLayout(where);

    auto* top = new QGridLayout;
    m_qr = new QLabel(this);
    m_qr->setObjectName(QStringLiteral("AddressCode"));
    m_qr->setFixedSize(180, 180);
    m_qr->setScaledContents(true);
    top->addWidget(m_qr, 0, 0, 4, 1);
    top->addWidget(new QLabel(text(kStudentsOpen), this), 0, 1);
    m_address = new QLabel(this);
    m_address->setObjectName(QStringLiteral("Address"));
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = m_address->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_address->setFont(big);
    top->addWidget(m_address, 1, 1);
    top->addWidget(new QLabel(text(kClassCode), this), 2, 1);
    m_code = new QLabel(this);
    m_code->setObjectName(QStringLiteral("ClassCode"));
    m_code->setFont(big);
    m_code->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(m_code, 3, 1);
    top->setColumnStretch(1, 1);
    layout->addLayout(top);
    m_kept = new QLabel(this);
    m_kept->setObjectName(QStringLiteral("KeptIn"));
    layout->addWidget(m_kept);

    m_students = NewTable(this, QStringLiteral("Students"), {text(kName), text(kAnswered), text(kFinished), text(kScore)});
    m_questions = NewTable(this, QStringLiteral("Questions"), {text(kQuestion), text(kAnswered), text(kRight), text(kWrongAnswers)});
    layout->addWidget(m_students, 3);
    layout->addWidget(m_questions, 2);

    auto* buttons = new QHBoxLayout;
    m_close = new QPushButton(text(kCloseTest), this);
    m_close->setObjectName(QStringLiteral("CloseTest"));
    m_csv = new QPushButton(text(kExportCsv), this);
    m_csv->setObjectName(QStringLiteral("ExportCsv"));
    m_print = new QPushButton(text(kPrintList), this);
    m_print->setObjectName(QStringLiteral("PrintClassList"));
    m_delete = new QPushButton(text(kEndAndDelete), this);
    m_delete->setObjectName(QStringLiteral("EndAndDelete"));
    for (QPushButton* button : {m_close, m_csv, m_print, m_delete}) {
        button->setEnabled(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    resize(760, 640);

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, [this] { refresh(); });
    connect(m_start, &QPushButton::clicked, this,
            [this] { startClass(m_where->currentData().toString().toStdString()); });
    connect(m_close, &QPushButton::clicked, this, [this] {
        std::string error;
        const bool closed = m_room->summary().closed;
        if (!(closed ? m_room->reopen(error) : m_room->close(error)))
            m_ui.showMessage(error, Tone::Error);
        refresh();
    });
    connect(m_csv, &QPushButton::clicked, this, [this] { exportCsv(); });
    connect(m_print, &QPushButton::clicked, this, [this] { printList(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { askEndAndDelete(); });
}

ClassWindow::~ClassWindow()
{
    // The server's thread ends before the class it reads from.
    m_server.reset();
}

QString ClassWindow::text(int n) const
{
    return QString::fromStdString(m_lang.at(n));
}

bool ClassWindow::startClass(const std::string& address)
{
    if (m_server)
        return true;
    const auto refuse = [&](const std::string& why) {
        m_ui.showMessage(text(kCannotStart).toStdString() + "\n" + why, Tone::Error);
        return false;
    };
    if (!m_folder.isValid())
        return refuse("no temporary folder");
    if (!m_room) {
        m_prepared = PrepareClass(m_setPath, m_folder.path().toStdString(), m_lang, m_language, m_ui);
        if (!m_prepared.error.empty())
            return refuse(m_prepared.error);
        std::string error;
        const std::string where = DefaultStoreFor(m_setPath);
        m_store = ClassStore::open(where, error);
        if (!m_store)
            return refuse(error);
        m_room = std::make_unique<ClassRoom>(*m_store, m_prepared.questions);
        if (!m_room->begin(m_prepared.setPath, m_prepared.title, error)) {
            m_room.reset();
            return refuse(error);
        }
        m_kept->setText(text(kKeptIn).replace(QStringLiteral("%1"), QString::fromStdString(where)));
    }
    auto server = std::make_unique<ClassServer>(*m_room, m_folder.path().toStdString(), m_prepared.startPage);
    std::string error;
    const int kept = m_room->record().port;
    if (!server->start(address, static_cast<std::uint16_t>(kept), error) && (!kept || !server->start(address, 0, error)))
        return refuse(error);
    m_server = std::move(server);
    m_room->keepPort(m_server->port());
    const std::string shown = m_server->studentAddress();
    m_address->setText(QString::fromStdString(shown));
    m_code->setText(QString::fromStdString(m_room->record().code));
    m_qr->setPixmap(QrPixmap(shown, 6));
    m_where->setEnabled(false);
    m_start->setEnabled(false);
    for (QPushButton* button : {m_close, m_csv, m_print, m_delete})
        button->setEnabled(true);
    refresh();
    m_timer->start();
    return true;
}

void ClassWindow::refresh()
{
    if (!m_room)
        return;
    const ClassSummary s = m_room->summary();
    m_close->setText(text(s.closed ? kOpenTest : kCloseTest));
    m_students->setRowCount(static_cast<int>(s.students.size()));
    const QString total = QString::number(s.questions.size());
    for (int r = 0; r < static_cast<int>(s.students.size()); ++r) {
        const StudentRow& row = s.students[static_cast<std::size_t>(r)];
        SetCell(m_students, r, 0, QString::fromStdString(row.name));
        SetCell(m_students, r, 1, QString::number(row.answered) + QStringLiteral(" / ") + total);
        SetCell(m_students, r, 2, text(row.finished ? kYes : kNo));
        SetCell(m_students, r, 3, row.finished ? Number(row.score) + QStringLiteral(" / ") + Number(row.max) : QString());
    }
    m_questions->setRowCount(static_cast<int>(s.questions.size()));
    for (int r = 0; r < static_cast<int>(s.questions.size()); ++r) {
        const QuestionRow& row = s.questions[static_cast<std::size_t>(r)];
        QString wrong;
        for (const auto& [answer, count] : row.wrong)
            wrong += (wrong.isEmpty() ? QString() : QStringLiteral("; ")) + QString::fromStdString(answer)
                + QStringLiteral(" (") + QString::number(count) + QLatin1Char(')');
        SetCell(m_questions, r, 0, QString::number(row.id) + QStringLiteral(". ") + QString::fromStdString(row.text));
        SetCell(m_questions, r, 1, QString::number(row.answered));
        SetCell(m_questions, r, 2, row.answered ? QString::number((100 * row.right + row.answered / 2) / row.answered) + QStringLiteral(" %") : QString());
        SetCell(m_questions, r, 3, wrong);
    }
}

QString ClassWindow::classListHtml() const
{
    const ClassSummary s = m_room ? m_room->summary() : ClassSummary{};
    const auto escaped = [](const std::string& t) { return QString::fromStdString(t).toHtmlEscaped(); };
    QString html = QStringLiteral("<h2>") + escaped(s.title) + QStringLiteral("</h2><table border=\"1\" cellspacing=\"0\" cellpadding=\"4\"><tr><th>")
        + text(kName).toHtmlEscaped() + QStringLiteral("</th><th>") + text(kAnswered).toHtmlEscaped() + QStringLiteral("</th><th>")
        + text(kFinished).toHtmlEscaped() + QStringLiteral("</th><th>") + text(kScore).toHtmlEscaped() + QStringLiteral("</th></tr>");
    for (const StudentRow& row : s.students) {
        html += QStringLiteral("<tr><td>") + escaped(row.name) + QStringLiteral("</td><td>") + QString::number(row.answered)
            + QStringLiteral(" / ") + QString::number(s.questions.size()) + QStringLiteral("</td><td>")
            + text(row.finished ? kYes : kNo).toHtmlEscaped() + QStringLiteral("</td><td>") + Number(row.score)
            + QStringLiteral(" / ") + Number(row.max) + QStringLiteral("</td></tr>");
    }
    return html + QStringLiteral("</table>");
}

bool ClassWindow::writeCsv(const std::string& path)
{
    if (!m_room)
        return false;
    const std::string csv = m_room->csv();
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size()) && file.flush();
}

void ClassWindow::exportCsv()
{
    FileDialog dialog;
    dialog.title = text(kExportCsv).remove(QStringLiteral("...")).toStdString();
    dialog.filter = "CSV|*.csv";
    dialog.folder = QFileInfo(QString::fromStdString(m_setPath)).absolutePath().toStdString();
    dialog.proposedName = QFileInfo(QString::fromStdString(m_setPath)).completeBaseName().toStdString() + ".csv";
    dialog.defaultExtension = "csv";
    const std::optional<std::string> path = m_ui.chooseSaveFile(dialog);
    if (path && !writeCsv(*path))
        m_ui.showMessage(text(kNotWritten).replace(QStringLiteral("%1"), QString::fromStdString(*path)).toStdString(), Tone::Error);
}

void ClassWindow::printList()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QTextDocument document;
    document.setHtml(classListHtml());
    document.print(&printer);
}

bool ClassWindow::endAndDelete()
{
    if (!m_room)
        return true;
    m_timer->stop();
    m_server.reset();
    std::string error;
    if (!m_room->remove(error)) {
        m_ui.showMessage(error, Tone::Error);
        return false;
    }
    m_students->setRowCount(0);
    m_questions->setRowCount(0);
    m_address->clear();
    m_code->clear();
    m_qr->clear();
    for (QPushButton* button : {m_close, m_csv, m_print, m_delete})
        button->setEnabled(false);
    return true;
}

void ClassWindow::askEndAndDelete()
{
    if (m_ui.ask(text(kReallyDelete).toStdString(), Buttons::YesNo, Tone::Caution) == Answer::Yes && endAndDelete())
        close();
}

void RunInClass(QWidget* parent, const OpenSet& set, const LangStrings& lang, const std::string& language,
                UserInterface& ui)
{
    if (set.filePath.empty() || set.hasUnsavedChanges()) {
        ui.showMessage(lang.at(kSaveFirst), Tone::Information);
        return;
    }
    auto* window = new ClassWindow(parent, set.filePath, lang, language, ui);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

}  // namespace dorvel
