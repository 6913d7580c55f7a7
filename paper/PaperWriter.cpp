#include "paper/PaperWriter.h"

#include "export/InlineMarks.h"
#include "languages/LangStrings.h"
#include "languages/MediaMessages.h"
#include "media/QuestionMedia.h"
#include "model/FieldKind.h"
#include "model/OpenSet.h"
#include "model/Question.h"
#include "model/SetFields.h"
#include "paper/PaperMarks.h"
#include "paper/PngScaledReader.h"
#include "storage/FileUtils.h"
#include "storage/PartFiles.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QIODevice>
#include <QFont>
#include <QImageReader>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPixmap>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <cmath>
#include <functional>
#include <map>
#include <memory>

namespace dorvel {

namespace {

// Texts of the language pack (see data/lang/README.md).
enum Text {
    kAnswerKey = 530,
    kNameLine = 531,
    kDateLine = 532,
    kExaminer = 533,
    kTrue = 534,
    kFalse = 535,
    kPageOf = 536,
    kPictureNotPrinted = 556,  // "%1" the file, "%2" why
    kPictureUnreadable = 557,
    kOnePoint = 563,
    kPoints = 564,
    kTotalPoints = 565,
};

// Sizes in the text's own pixels (96 to the inch), which the layout scales
// to the device.
constexpr int kBoxPx = 15;
constexpr int kLineHeightPx = 22;
constexpr int kPictureMaxHeightPx = 260;
constexpr double kPictureMaxWidthShare = 0.6;
constexpr double kFontPoints = 11;

const QUrl kEmptyBox(QStringLiteral("dorvel-mark:box"));
const QUrl kTickedBox(QStringLiteral("dorvel-mark:ticked"));
const QUrl kLine(QStringLiteral("dorvel-mark:line"));
const QUrl kPicture(QStringLiteral("dorvel-mark:picture"));

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Text (UTF-8, as the question type holds it) as HTML: blank means empty,
// line breaks kept.
QString textHtml(const std::string& utf8)
{
    const QString text = fromUtf8(utf8).trimmed();
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

// A stored value as HTML, alike.
QString storedHtml(const std::string& stored)
{
    return textHtml(DecodeText(stored));
}

// A question's text as HTML: the five inline marks the web test renders
// (<b>, <i>, <u>, <sub>, <sup>) are printed as such, anything else as typed;
// blank means empty, line breaks kept.
QString markedTextHtml(const std::string& utf8)
{
    const QString text = fromUtf8(utf8).trimmed();
    QStringList lines;
    for (const std::string& line : MarkedHtmlLines(text.toStdString()))
        lines << fromUtf8(line);
    return lines.join(QStringLiteral("<br>"));
}

QString langText(const LangStrings& lang, int n)
{
    return fromUtf8(lang.at(n)).toHtmlEscaped();
}

QString boxHtml(bool ticked)
{
    return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%2\">")
        .arg((ticked ? kTickedBox : kEmptyBox).toString())
        .arg(kBoxPx);
}

QString lineHtml(int widthPx)
{
    return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\">")
        .arg(kLine.toString())
        .arg(widthPx)
        .arg(kLineHeightPx);
}

struct Page {
    QPagedPaintDevice& device;
    int contentWidthPx;  // text pixels
};

// One block of the page (the heading, or one question) laid out for the device.
std::unique_ptr<QTextDocument> layOut(const QString& html, QPagedPaintDevice& device)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(&device);
    QFont font(QStringLiteral("Noto Sans"));
    font.setPointSizeF(kFontPoints);
    doc->setDefaultFont(font);
    doc->setDocumentMargin(0);
    doc->addResource(QTextDocument::ImageResource, kEmptyBox, EmptyBoxImage());
    doc->addResource(QTextDocument::ImageResource, kTickedBox, TickedBoxImage());
    doc->addResource(QTextDocument::ImageResource, kLine, WritingLineImage());
    doc->setHtml(html);
    doc->setTextWidth(device.width());
    return doc;
}

QString headingHtml(const OpenSet& set, const LangStrings& lang, const PaperOptions& options, int widthPx, int points)
{
    const std::string name = GetTag(set.testDetails, setfield::kTestName);
    const std::string examiner = GetTag(set.testDetails, setfield::kExaminerName);
    QString title = name == "0" ? QString() : storedHtml(name);
    if (options.answerKey)
        title = title.isEmpty() ? langText(lang, kAnswerKey) : title + QStringLiteral(" \u2013 ") + langText(lang, kAnswerKey);
    QString html;
    if (!title.isEmpty())
        html += QStringLiteral("<p style=\"font-size:16pt; font-weight:bold\">%1</p>").arg(title);
    if (examiner != "0" && !storedHtml(examiner).isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(langText(lang, kExaminer).replace(QStringLiteral("%1"), storedHtml(examiner)));
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"4\"><tr>"
                           "<td valign=\"bottom\">%1</td><td valign=\"bottom\">%2</td>"
                           "<td valign=\"bottom\">&nbsp;&nbsp;%3</td><td valign=\"bottom\">%4</td></tr></table>")
                .arg(langText(lang, kNameLine), lineHtml(widthPx * 45 / 100), langText(lang, kDateLine),
                     lineHtml(widthPx * 20 / 100));
    html += QStringLiteral("<p>%1</p>").arg(langText(lang, kTotalPoints).replace(QStringLiteral("%1"), QString::number(points)));
    return html;
}

QString choicesHtml(const Question& q, const PaperOptions& options)
{
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">");
    for (std::size_t k = 0; k < q.choices.size(); ++k) {
        html += QStringLiteral("<tr><td valign=\"middle\">%1</td><td>%2)</td><td>%3</td></tr>")
                    .arg(boxHtml(options.answerKey && q.choices[k].weight > 0), QChar(u'a' + static_cast<int>(k)),
                         markedTextHtml(q.choices[k].text));
    }
    return html + QStringLiteral("</table>");
}

QString statementsHtml(const Question& q, const LangStrings& lang, const PaperOptions& options)
{
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">"
                                  "<tr><td></td><td align=\"center\">%1</td><td align=\"center\">%2</td></tr>")
                       .arg(langText(lang, kTrue), langText(lang, kFalse));
    for (const Statement& statement : q.statements) {
        html += QStringLiteral("<tr><td>%1</td><td align=\"center\">%2</td><td align=\"center\">%3</td></tr>")
                    .arg(markedTextHtml(statement.text), boxHtml(options.answerKey && statement.isTrue),
                         boxHtml(options.answerKey && !statement.isTrue));
    }
    return html + QStringLiteral("</table>");
}

QString fieldsHtml(const Question& q, const LangStrings& lang, const PaperOptions& options, int widthPx)
{
    QString html;
    for (const AnswerField& field : q.fields) {
        const QString label = markedTextHtml(field.label);
        if (!label.isEmpty())
            html += QStringLiteral("<p>%1</p>").arg(label);
        QStringList answers;
        for (const Accepted& accepted : field.accepted) {
            const QString answer = textHtml(accepted.text);
            if (!answer.isEmpty())
                answers << answer;
        }
        // A range accepts every number between its two bounds.
        if (field.kind == FieldKind::NumberRange && answers.size() == 2)
            answers = QStringList{fromUtf8(lang.at(Message::AnyNumberFromTo)).toHtmlEscaped().arg(answers[0], answers[1])};
        // The key writes the accepted answers where the student writes.
        html += QStringLiteral("<p style=\"margin-top:6px\">%1%2</p>")
                    .arg(options.answerKey ? QStringLiteral("<b>%1</b><br>").arg(answers.join(QStringLiteral(" / ")))
                                           : QStringLiteral("<br>"),
                         lineHtml(widthPx * 80 / 100));
    }
    return html;
}

// A question's picture as the page prints it. Only its header is read while
// the pages are laid out (the size the page gives it needs no more); the
// picture itself is decoded when its question is painted, at the size it
// is printed in the device's pixels, and dropped after its last use.
struct PagePicture {
    std::string path;
    QSize shown;        // text pixels, for the layout
    QSize decodedSize;  // the size to decode at, in the file's own orientation
    bool rotated = false;

    bool valid() const { return shown.isValid(); }
    // Pictures of one file shown at one size are one decoded image.
    std::string key() const
    {
        return path + '\n' + std::to_string(decodedSize.width()) + 'x' + std::to_string(decodedSize.height());
    }
};

// Scaled to fit beside the text, proportions kept; decoded at no more pixels
// than the printer prints there (nor more than the file has).
PagePicture measurePicture(const std::string& path, int widthPx, int deviceDpi)
{
    PagePicture picture;
    picture.path = path;
    QImageReader reader(fromUtf8(path));
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return picture;
    picture.rotated = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = picture.rotated ? size.transposed() : size;
    picture.shown = upright.scaled(int(widthPx * kPictureMaxWidthShare), kPictureMaxHeightPx, Qt::KeepAspectRatio)
                        .expandedTo(QSize(1, 1));
    const QSize printed(int(std::ceil(picture.shown.width() * double(deviceDpi) / 96)),
                        int(std::ceil(picture.shown.height() * double(deviceDpi) / 96)));
    const QSize decoded = printed.boundedTo(upright);
    picture.decodedSize = picture.rotated ? decoded.transposed() : decoded;
    return picture;
}

QImage decodePicture(const PagePicture& picture)
{
    QImageReader reader(fromUtf8(picture.path));
    reader.setAutoTransform(true);
    reader.setScaledSize(picture.decodedSize);
    const bool png = reader.format() == "png";  // asked before reading, which closes the file
    QImage image = reader.read();
    if (image.isNull() && png)
        image = ReadPngScaled(fromUtf8(picture.path), picture.decodedSize);
    return image;
}

QString pictureHtml(const PagePicture& picture)
{
    if (!picture.valid())
        return {};
    return QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\"></p>")
        .arg(kPicture.toString())
        .arg(picture.shown.width())
        .arg(picture.shown.height());
}

QString pointsText(const LangStrings& lang, int points)
{
    return points == 1 ? langText(lang, kOnePoint) : langText(lang, kPoints).replace(QStringLiteral("%1"), QString::number(points));
}

QString questionHtml(const std::string& record, int number, const LangStrings& lang, const PaperOptions& options,
                     const PagePicture& picture, int widthPx)
{
    const Question q = ReadQuestion(record);
    QString answers;
    switch (q.kind) {
    case QuestionKind::Choice:
        answers = choicesHtml(q, options);
        break;
    case QuestionKind::TrueFalse:
        answers = statementsHtml(q, lang, options);
        break;
    case QuestionKind::Typed:
        answers = fieldsHtml(q, lang, options, widthPx - 130);
        break;
    }
    // The points stand at the right of the question's first line.
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
                          "<td width=\"32\" valign=\"top\"><b>%1.</b></td><td valign=\"top\">%2%3%4</td>"
                          "<td width=\"90\" align=\"right\" valign=\"top\"><i>%5</i></td></tr></table>")
        .arg(number)
        .arg(QStringLiteral("<p>%1</p>").arg(markedTextHtml(q.text)), pictureHtml(picture), answers,
             pointsText(lang, QuestionPoints(record)));
}

}  // namespace

std::string PaperPictureProblemText(const PaperPictureProblem& problem, const LangStrings& lang)
{
    const std::string why = problem.verdict == MediaVerdict::Ok
        ? lang.at(kPictureUnreadable)
        : MediaVerdictText(problem.verdict, MediaKind::Picture, lang);
    return FillPlaceholders(lang.at(kPictureNotPrinted), problem.path, why);
}

int QuestionPoints(std::string_view question)
{
    const Question q = ReadQuestion(question);
    switch (q.kind) {
    case QuestionKind::Choice:
        return 1;
    case QuestionKind::TrueFalse:
        return static_cast<int>(q.statements.size());
    case QuestionKind::Typed:
        return static_cast<int>(q.fields.size());
    }
    return 0;
}

QPageSize LocalePaperSize()
{
    switch (QLocale().territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::Philippines:
        return QPageSize(QPageSize::Letter);
    default:
        return QPageSize(QPageSize::A4);
    }
}

PaperResult PaintPaperTest(const OpenSet& set, const LangStrings& lang, QPagedPaintDevice& device,
                           const PaperOptions& options)
{
    PaperResult result;
    // Text pixels (96 to the inch) across the printable width.
    const int widthPx = device.width() * 96 / std::max(1, device.logicalDpiX());
    const double mm = device.logicalDpiY() / 25.4;
    const int footerHeight = int(10 * mm);
    const int bottom = device.height() - footerHeight;
    const int gap = int(6 * mm);

    struct Block {
        std::unique_ptr<QTextDocument> doc;
        PagePicture picture;
        int slot = 0;    // the question's place in the set
        int number = 0;  // its number on paper
        int page = 0;
        int y = 0;
        bool pictureFailed = false;
    };
    std::vector<Block> blocks;
    const int count = set.questionCount();
    for (int n = 1; n <= count; ++n) {
        const std::string& q = set.questionSlots[static_cast<std::size_t>(n)];
        if (GetTagInt(q, setfield::kQuestionDisabled, 0) != 1)
            result.points += QuestionPoints(q);
    }
    blocks.push_back({layOut(headingHtml(set, lang, options, widthPx, result.points), device), {}});
    for (int n = 1; n <= count; ++n) {
        const std::string& q = set.questionSlots[static_cast<std::size_t>(n)];
        if (GetTagInt(q, setfield::kQuestionDisabled, 0) == 1)
            continue;
        PagePicture picture;
        const ResolvedMedia media = ResolveQuestionMedia(q, MediaKind::Picture, set.filePath);
        if (media.named) {
            // What the web test would show, the paper prints.
            PaperPictureProblem problem{media.path, MediaVerdict::Missing};
            if (media.found)
                problem.verdict = CheckQuestionMedia(media.path, MediaKind::Picture).verdict;
            if (problem.verdict == MediaVerdict::Ok)
                picture = measurePicture(media.path, widthPx - 40, device.logicalDpiX());
            if (!picture.valid())
                result.pictureProblems.push_back(problem);
        }
        ++result.questions;
        blocks.push_back({layOut(questionHtml(q, result.questions, lang, options, picture, widthPx), device), picture, n,
                          result.questions});
    }

    // Place the blocks first: the footer names the number of pages.
    int page = 0;
    int y = 0;
    for (Block& block : blocks) {
        const int height = int(block.doc->size().height());
        if (y > 0 && y + height > bottom) {
            ++page;
            y = 0;
        }
        block.page = page;
        block.y = y;
        // A block taller than a page goes on over the next pages.
        y += height;
        while (y > bottom) {
            ++page;
            y -= bottom;
        }
        y += gap;
    }
    result.pages = page + 1;

    // Each page draws the blocks that start on it and the rest of taller
    // ones, at `top` on the page.
    const auto forEachDraw = [&](const std::function<void(int, Block&, int)>& draw) {
        for (int p = 0; p < result.pages; ++p) {
            for (Block& block : blocks) {
                if (block.page > p)
                    break;
                const int top = block.y - (p - block.page) * bottom;
                if (top + int(block.doc->size().height()) > 0)
                    draw(p, block, top);
            }
        }
    };
    // A decoded picture stays only until its last draw; a file named by
    // several questions is decoded once.
    // Held as a pixmap: the text draws a pixmap, and the PDF writer keeps
    // one copy of a pixmap drawn several times.
    struct Decoded {
        QPixmap image;
        int drawsLeft = 0;
        bool tried = false;
    };
    std::map<std::string, Decoded> decoded;
    forEachDraw([&](int, Block& block, int) {
        if (block.picture.valid())
            ++decoded[block.picture.key()].drawsLeft;
    });

    QPainter painter(&device);
    if (!painter.isActive()) {
        result.pages = 0;
        return result;
    }
    QFont footerFont(QStringLiteral("Noto Sans"));
    footerFont.setPointSizeF(9);
    const auto footer = [&](int p) {
        painter.setFont(footerFont);
        QString footerText = fromUtf8(lang.at(kPageOf));
        footerText.replace(QStringLiteral("%1"), QString::number(p + 1)).replace(QStringLiteral("%2"), QString::number(result.pages));
        painter.drawText(QRect(0, bottom, device.width(), footerHeight), Qt::AlignHCenter | Qt::AlignBottom, footerText);
    };
    int painted = 0;
    forEachDraw([&](int p, Block& block, int top) {
        for (; painted < p; ++painted) {
            footer(painted);
            device.newPage();
        }
        auto entry = decoded.end();
        if (block.picture.valid()) {
            entry = decoded.find(block.picture.key());
            if (!entry->second.tried) {
                entry->second.image = QPixmap::fromImage(decodePicture(block.picture));
                entry->second.tried = true;
            }
            // A file whose header reads but whose picture does not: the
            // question goes without it, and its place stays empty.
            if (entry->second.image.isNull() && !block.pictureFailed) {
                block.pictureFailed = true;
                result.pictureProblems.push_back({block.picture.path, MediaVerdict::Ok});
                const std::string& q = set.questionSlots[static_cast<std::size_t>(block.slot)];
                block.doc = layOut(questionHtml(q, block.number, lang, options, PagePicture{}, widthPx), device);
            }
            if (!block.pictureFailed)
                block.doc->addResource(QTextDocument::ImageResource, kPicture, entry->second.image);
        }
        painter.save();
        painter.setClipRect(QRect(0, 0, device.width(), bottom));
        painter.translate(0, top);
        block.doc->drawContents(&painter);
        painter.restore();
        if (entry != decoded.end()) {
            if (!block.pictureFailed)
                block.doc->addResource(QTextDocument::ImageResource, kPicture, QPixmap());
            if (--entry->second.drawsLeft == 0)
                decoded.erase(entry);
        }
    });
    for (; painted < result.pages; ++painted) {
        footer(painted);
        if (painted + 1 < result.pages)
            device.newPage();
    }
    painter.end();
    return result;
}

namespace {

// The part file as the PDF writer's device: every write is written whole or
// remembered as failed (a QFile reports a write cut short by a full disk as
// a short count, which the PDF writer takes silently).
class PartDevice : public QIODevice {
public:
    explicit PartDevice(int fd)
        : m_fd(fd)
    {
    }
    bool whole() const { return m_failure.empty(); }
    const std::string& failure() const { return m_failure; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (!m_failure.empty())
            return -1;
        if (!WriteAll(m_fd, data, static_cast<std::size_t>(size))) {
            m_failure = LastErrorText();
            return -1;
        }
        return size;
    }

private:
    int m_fd;
    std::string m_failure;
};

}  // namespace

bool WritePaperPdf(const OpenSet& set, const LangStrings& lang, const std::string& path, const QPageSize& size,
                   const PaperOptions& options, PaperResult& result, std::string& error)
{
    const QPageLayout layout(size, QPageLayout::Portrait, QMarginsF(18, 15, 18, 12), QPageLayout::Millimeter);
    return WritePaperPdf(set, lang, path, layout, 300, options, result, error);
}

bool WritePaperPdf(const OpenSet& set, const LangStrings& lang, const std::string& path, const QPageLayout& layout,
                   int resolution, const PaperOptions& options, PaperResult& result, std::string& error)
{
    // Written beside the target, every write checked, forced onto the disk
    // and only then renamed over it: a failed print (a full disk) never
    // leaves a cut file where an earlier one was. A killed run's part file
    // goes with the next run.
    RemoveLeftoverParts(path);
    PartFile part(path);
    if (!part.valid()) {
        error = part.error();
        return false;
    }
    PartDevice file(part.fd());
    file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    {
        QPdfWriter writer(&file);
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        const QString title = fromUtf8(DecodeText(GetTag(set.testDetails, setfield::kTestName)));
        writer.setTitle(title == QStringLiteral("0") ? QString() : title);
        writer.setCreator(QStringLiteral("Dorvel"));
        result = PaintPaperTest(set, lang, writer, options);
    }
    // The PDF writer stops at a write that failed but reports nothing.
    if (!file.whole()) {
        error = file.failure();
        return false;
    }
    file.close();
    if (result.pages == 0) {
        error = "the file could not be written";
        return false;
    }
    if (!part.commit()) {
        error = part.error();
        return false;
    }
    return true;
}

}  // namespace dorvel
