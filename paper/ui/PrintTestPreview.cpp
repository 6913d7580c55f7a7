#include "paper/ui/PrintTestPreview.h"

#include "editor/OpenSet.h"
#include "paper/PaperWriter.h"
#include "shell/LangStrings.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
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
