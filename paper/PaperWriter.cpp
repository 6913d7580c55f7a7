#include "paper/PaperWriter.h"

#include "editor/FieldKind.h"
#include "editor/OpenSet.h"
#include "export/InlineMarks.h"
#include "media/MediaMessages.h"
#include "media/QuestionMedia.h"
#include "paper/PngScaledReader.h"
#include "paper/PaperMarks.h"
#include "shell/LangStrings.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFont>
#include <QImageReader>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

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

// A stored value as HTML: blank means empty, line breaks kept.
QString storedHtml(const std::string& stored)
{
    const QString text = fromUtf8(DecodeText(stored)).trimmed();
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

// A question's text as HTML: the five inline marks the web test renders
// (<b>, <i>, <u>, <sub>, <sup>) are printed as such, anything else as typed;
// blank means empty, line breaks kept.
QString markedHtml(const std::string& stored)
{
    const QString text = fromUtf8(DecodeText(stored)).trimmed();
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
std::unique_ptr<QTextDocument> layOut(const QString& html, QPagedPaintDevice& device, const QImage& picture)
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
    if (!picture.isNull())
        doc->addResource(QTextDocument::ImageResource, kPicture, picture);
    doc->setHtml(html);
    doc->setTextWidth(device.width());
    return doc;
}

QString headingHtml(const OpenSet& set, const LangStrings& lang, const PaperOptions& options, int widthPx)
{
    const std::string name = GetTag(set.testDetails, "TestName");
    const std::string examiner = GetTag(set.testDetails, "ExaminerName");
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
    return html;
}

QString choicesHtml(const std::string& q, int count, const PaperOptions& options)
{
    const int right = GetTagInt(q, "SelectAnswer", 0);
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">");
    for (int k = 1; k <= count; ++k) {
        html += QStringLiteral("<tr><td valign=\"middle\">%1</td><td>%2)</td><td>%3</td></tr>")
                    .arg(boxHtml(options.answerKey && right == k - 1), QChar(u'a' + (k - 1)),
                         markedHtml(GetTag(q, "Text" + std::to_string(k))));
    }
    return html + QStringLiteral("</table>");
}

QString statementsHtml(const std::string& q, int count, const LangStrings& lang, const PaperOptions& options)
{
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">"
                                  "<tr><td></td><td align=\"center\">%1</td><td align=\"center\">%2</td></tr>")
                       .arg(langText(lang, kTrue), langText(lang, kFalse));
    for (int k = 1; k <= count; ++k) {
        const bool isTrue = GetTagInt(q, "tf" + std::to_string(k), 1) != 0;
        html += QStringLiteral("<tr><td>%1</td><td align=\"center\">%2</td><td align=\"center\">%3</td></tr>")
                    .arg(markedHtml(GetTag(q, "Text" + std::to_string(k))), boxHtml(options.answerKey && isTrue),
                         boxHtml(options.answerKey && !isTrue));
    }
    return html + QStringLiteral("</table>");
}

QString fieldsHtml(const std::string& q, int count, const LangStrings& lang, const PaperOptions& options, int widthPx)
{
    QString html;
    for (int f = 1; f <= count; ++f) {
        const QString label = markedHtml(GetTag(q, "Text" + std::to_string(f)));
        if (!label.isEmpty())
            html += QStringLiteral("<p>%1</p>").arg(label);
        QStringList answers;
        for (int n = 0; n < 10; ++n) {
            const QString answer = storedHtml(GetTag(q, "a" + std::to_string(f) + std::to_string(n)));
            if (!answer.isEmpty())
                answers << answer;
        }
        // A range accepts every number between its first two answers.
        if (FieldKindOf(q, f) == FieldKind::NumberRange && answers.size() >= 2)
            answers = QStringList{fromUtf8(lang.at(541)).toHtmlEscaped().arg(answers[0], answers[1])};
        // The key writes the accepted answers where the student writes.
        html += QStringLiteral("<p style=\"margin-top:6px\">%1%2</p>")
                    .arg(options.answerKey ? QStringLiteral("<b>%1</b><br>").arg(answers.join(QStringLiteral(" / ")))
                                           : QStringLiteral("<br>"),
                         lineHtml(widthPx * 80 / 100));
    }
    return html;
}

// The question's picture scaled to fit beside the text, proportions kept.
QImage readPicture(const std::string& path)
{
    QImageReader reader(fromUtf8(path));
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    // Printed at most a few inches wide: never decode more than that needs.
    // A side never shrinks below a pixel (a 1 x 8000 line stays one wide).
    QSize scaled;
    if (size.isValid() && (size.width() > 2400 || size.height() > 2400)) {
        scaled = size.scaled(2400, 2400, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        reader.setScaledSize(scaled);
    }
    const bool png = reader.format() == "png";  // asked before reading, which closes the file
    QImage picture = reader.read();
    if (picture.isNull() && png && size.isValid())
        picture = ReadPngScaled(fromUtf8(path), scaled.isValid() ? scaled : size);
    return picture;
}

QString pictureHtml(const QImage& picture, int widthPx)
{
    if (picture.isNull())
        return {};
    const QSize shown = picture.size()
                            .scaled(int(widthPx * kPictureMaxWidthShare), kPictureMaxHeightPx, Qt::KeepAspectRatio)
                            .expandedTo(QSize(1, 1));
    return QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\"></p>")
        .arg(kPicture.toString())
        .arg(shown.width())
        .arg(shown.height());
}

QString questionHtml(const std::string& q, int number, const LangStrings& lang, const PaperOptions& options,
                     const QImage& picture, int widthPx)
{
    const int type = GetTagInt(q, "qType", 2);
    QString answers;
    if (type >= 0 && type <= 2)
        answers = choicesHtml(q, type + 2, options);
    else if (type >= 3 && type <= 6)
        answers = statementsHtml(q, type - 2, lang, options);
    else if (type >= 7 && type <= 10)
        answers = fieldsHtml(q, type - 6, lang, options, widthPx - 40);
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
                          "<td width=\"32\" valign=\"top\"><b>%1.</b></td><td valign=\"top\">%2%3%4</td></tr></table>")
        .arg(number)
        .arg(QStringLiteral("<p>%1</p>").arg(markedHtml(GetTag(q, "Title"))), pictureHtml(picture, widthPx - 40),
             answers);
}

}  // namespace

std::string PaperPictureProblemText(const PaperPictureProblem& problem, const LangStrings& lang)
{
    const std::string why = problem.verdict == MediaVerdict::Ok
        ? lang.at(kPictureUnreadable)
        : MediaVerdictText(problem.verdict, MediaKind::Picture, lang);
    return FillPlaceholders(lang.at(kPictureNotPrinted), problem.path, why);
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
    const int footer = int(10 * mm);
    const int bottom = device.height() - footer;
    const int gap = int(6 * mm);

    std::vector<std::unique_ptr<QTextDocument>> blocks;
    blocks.push_back(layOut(headingHtml(set, lang, options, widthPx), device, {}));
    const int count = set.questionCount();
    for (int n = 1; n <= count; ++n) {
        const std::string& q = set.questionSlots[static_cast<std::size_t>(n)];
        if (GetTagInt(q, "qDisabled", 0) == 1)
            continue;
        QImage picture;
        const ResolvedMedia media = ResolveQuestionMedia(q, MediaKind::Picture, set.filePath);
        if (media.named) {
            // What the web test would show, the paper prints.
            PaperPictureProblem problem{media.path, MediaVerdict::Missing};
            if (media.found)
                problem.verdict = CheckQuestionMedia(media.path, MediaKind::Picture).verdict;
            if (problem.verdict == MediaVerdict::Ok)
                picture = readPicture(media.path);
            if (picture.isNull())
                result.pictureProblems.push_back(problem);
        }
        ++result.questions;
        blocks.push_back(layOut(questionHtml(q, result.questions, lang, options, picture, widthPx), device, picture));
    }

    // Place the blocks first: the footer names the number of pages.
    struct Placed {
        QTextDocument* doc;
        int page;
        int y;
    };
    std::vector<Placed> placed;
    int page = 0;
    int y = 0;
    for (const auto& doc : blocks) {
        const int height = int(doc->size().height());
        if (y > 0 && y + height > bottom) {
            ++page;
            y = 0;
        }
        placed.push_back({doc.get(), page, y});
        // A block taller than a page goes on over the next pages.
        y += height;
        while (y > bottom) {
            ++page;
            y -= bottom;
        }
        y += gap;
    }
    result.pages = page + 1;

    QPainter painter(&device);
    if (!painter.isActive()) {
        result.pages = 0;
        return result;
    }
    QFont footerFont(QStringLiteral("Noto Sans"));
    footerFont.setPointSizeF(9);
    for (int p = 0; p < result.pages; ++p) {
        if (p > 0)
            device.newPage();
        for (const Placed& block : placed) {
            const int height = int(block.doc->size().height());
            // Blocks that start on this page, and the rest of taller ones.
            if (block.page > p)
                break;
            const int top = block.y - (p - block.page) * bottom;
            if (top + height <= 0)
                continue;
            painter.save();
            painter.setClipRect(QRect(0, 0, device.width(), bottom));
            painter.translate(0, top);
            block.doc->drawContents(&painter);
            painter.restore();
        }
        painter.setFont(footerFont);
        QString footerText = fromUtf8(lang.at(kPageOf));
        footerText.replace(QStringLiteral("%1"), QString::number(p + 1)).replace(QStringLiteral("%2"), QString::number(result.pages));
        painter.drawText(QRect(0, bottom, device.width(), footer), Qt::AlignHCenter | Qt::AlignBottom, footerText);
    }
    painter.end();
    return result;
}

bool WritePaperPdf(const OpenSet& set, const LangStrings& lang, const std::string& path, const QPageSize& size,
                   const PaperOptions& options, PaperResult& result, std::string& error)
{
    // Written beside the target and moved into place: a failed print never
    // leaves half a file where an earlier one was.
    const QString target = fromUtf8(path);
    const QString partial = target + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setResolution(300);
        writer.setPageSize(size);
        writer.setPageMargins(QMarginsF(18, 15, 18, 12), QPageLayout::Millimeter);
        const QString title = fromUtf8(DecodeText(GetTag(set.testDetails, "TestName")));
        writer.setTitle(title == QStringLiteral("0") ? QString() : title);
        writer.setCreator(QStringLiteral("Dorvel"));
        result = PaintPaperTest(set, lang, writer, options);
    }
    if (result.pages == 0) {
        QFile::remove(partial);
        error = "the file could not be written";
        return false;
    }
    QFile::remove(target);
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        error = "the file could not be written";
        return false;
    }
    return true;
}

}  // namespace dorvel
