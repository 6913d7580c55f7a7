#include "paper/ui/PrintTestPreview.h"

#include "editor/OpenSet.h"
#include "paper/PaperWriter.h"
#include "shell/LangStrings.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPaintEngine>
#include <QPrinter>
#include <QToolBar>

namespace dorvel {

namespace {

QString text(const LangStrings& lang, int n)
{
    return QString::fromStdString(lang.at(n));
}

}  // namespace

void PrintTestPreview(QWidget* parent, QPrinter& printer, const OpenSet& set, const LangStrings& lang)
{
    if (set.questionCount() == 0) {
        QMessageBox::information(parent, text(lang, 537), text(lang, 540));
        return;
    }
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintTestDialog"));
    dialog.setWindowTitle(text(lang, 537));
    auto* key = new QCheckBox(text(lang, 538), &dialog);
    key->setObjectName(QStringLiteral("PrintAnswerKey"));
    if (auto* bar = dialog.findChild<QToolBar*>())
        bar->addWidget(key);
    bool failed = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        PaperOptions options;
        options.answerKey = key->isChecked();
        // Printed to a PDF file, the test is written as dorvel-cli paper
        // writes it: beside the file and renamed over it only when whole.
        // (The preview paints with an engine of its own.)
        if (target->outputFormat() == QPrinter::PdfFormat && !target->outputFileName().isEmpty() && target->paintEngine()
            && target->paintEngine()->type() == QPaintEngine::Pdf) {
            PaperResult result;
            std::string error;
            failed = !WritePaperPdf(set, lang, target->outputFileName().toStdString(), target->pageLayout(),
                                    target->resolution(), options, result, error);
            return;
        }
        failed = PaintPaperTest(set, lang, *target, options).pages == 0;
    });
    QObject::connect(key, &QCheckBox::toggled, &dialog, [&dialog] {
        if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
            preview->updatePreview();
    });
    dialog.exec();
    if (failed)
        QMessageBox::warning(parent, text(lang, 537), text(lang, 539));
}

}  // namespace dorvel
