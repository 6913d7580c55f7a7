#include "editor/ui/QuestionPage.h"

#include "model/DefaultRecords.h"
#include "model/FieldKind.h"
#include "model/NumberAnswer.h"
#include "model/QuestionName.h"
#include "model/SetFields.h"

#include "editor/QuestionNameEditing.h"
#include "editor/Workspace.h"
#include "editor/ui/QuestionMediaBox.h"
#include "editor/ui/QuestionTypes.h"
#include "editor/ui/RadioGroup.h"
#include "editor/ui/WidgetText.h"
#include "languages/LangStrings.h"
#include "media/MediaCheck.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>

#include <algorithm>

namespace dorvel {

namespace {

// Geometry of the page: the question text on top, then one row per answer
// group with its text on the left and the family's option controls right.
constexpr int kPageWidth = 600;
constexpr int kPageHeight = 497;
constexpr int kMargin = 8;
constexpr int kTextWidth = 280;
// The question text, and under it the picture's description as wide.
constexpr int kTitleTop = 58;
constexpr int kTitleHeight = 40;
constexpr int kDescriptionTop = kTitleTop + kTitleHeight + 3;
constexpr int kDescriptionHeight = 22;
constexpr int kRowTop = 126;
constexpr int kRowHeight = 84;
constexpr int kRowLabelHeight = 17;
constexpr int kRowBoxHeight = 64;
constexpr int kOptionLeft = 296;
constexpr int kOptionWidth = 600 - kOptionLeft - kMargin;
// The question's picture and sound, beside the question text.
constexpr int kMediaLeft = 408;

QString indexed(const char* stem, int k)
{
    return QString::fromLatin1(stem) + QString::number(k);
}

// The local files of a drag, when the first is a picture or sound by its name.
std::vector<std::string> DroppedMediaFiles(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.push_back(fromQString(url.toLocalFile()));
    MediaKind kind;
    if (paths.empty() || !MediaKindOfExtension(LowerCase(ExtractFileExt(paths.front())), kind))
        paths.clear();
    return paths;
}

}  // namespace

QuestionPage::QuestionPage(Workspace& workspace, UserInterface& ui, const LangStrings& lang, QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_lang(lang)
{
    setObjectName(QStringLiteral("Questions"));

    m_typeLabel = label("QuestionTypeLabel", QStringLiteral("Question type:"), kMargin, 12, 104, 18);
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("QuestionType"));
    for (const char* name : kQuestionTypeNames)
        m_type->addItem(QString::fromLatin1(name));
    m_type->setGeometry(116, 9, 260, 24);
    m_typeLabel->setBuddy(m_type);
    connect(m_type, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_workspace.questionChange("QuestionType", std::to_string(index));
        LayoutForType();
    });

    // A question kept in the set but left out of the test, the bank, the
    // paper and the exchange, until the author takes it back in.
    m_disabled = new QCheckBox(QStringLiteral("Leave out"), this);
    m_disabled->setObjectName(fieldName(setfield::kQuestionDisabled));
    m_disabled->setToolTip(
        QStringLiteral("If this checkbox is selected then this question will be omitted from the test."));
    connect(m_disabled, &QCheckBox::toggled, this,
            [this](bool ticked) { m_workspace.questionChange(std::string(setfield::kQuestionDisabled), ticked ? "1" : "0"); });

    // Beside the type: the name the question has in other tools' question
    // banks, for a teacher who exchanges them.
    m_name = new QLineEdit(this);
    m_name->setObjectName(QString::fromLatin1(kQuestionNameField));
    m_name->setGeometry(392, 9, 600 - kMargin - 392, 24);
    m_name->setClearButtonEnabled(true);
    // Only what the author types: showing another question sets the text
    // without making a change.
    connect(m_name, &QLineEdit::textEdited, this,
            [this](const QString& text) { NameQuestion(m_workspace, toBytes(text)); });

    m_titleLabel = label("TitleLabel", QString(), kMargin, 40, 400, 17);
    m_title = new QPlainTextEdit(this);
    m_title->setObjectName(fieldName(setfield::kQuestionText));
    m_title->setGeometry(kMargin, kTitleTop, kMediaLeft - 8 - kMargin, kTitleHeight);
    m_titleLabel->setBuddy(m_title);

    m_media = new QuestionMediaBox(workspace, ui, lang, this);
    m_media->setGeometry(kMediaLeft, 38, 600 - kMargin - kMediaLeft, 76);
    m_description = m_media->descriptionBox();
    m_description->setParent(this);
    m_description->setGeometry(kMargin, kDescriptionTop, kMediaLeft - 8 - kMargin, kDescriptionHeight);
    m_description->show();
    setTabOrder(m_title, m_description);
    setAcceptDrops(true);

    for (int k = 0; k < kGroups; ++k) {
        const int y = kRowTop + k * kRowHeight;
        m_textLabels[k] = label((setfield::TextField(k + 1) + "Label").c_str(), QString(), kMargin, y,
                                kTextWidth, kRowLabelHeight - 1);
        m_texts[k] = new QPlainTextEdit(this);
        m_texts[k]->setObjectName(fieldName(setfield::TextField(k + 1)));
        m_texts[k]->setGeometry(kMargin, y + kRowLabelHeight, kTextWidth, kRowBoxHeight);
        m_textLabels[k]->setBuddy(m_texts[k]);
    }
    for (QPlainTextEdit* box : {m_title, m_texts[0], m_texts[1], m_texts[2], m_texts[3]}) {
        box->setTabChangesFocus(true);
        box->viewport()->installEventFilter(this);
        connect(box, &QPlainTextEdit::textChanged, this, [this, box] {
            // Underlining words again (another dictionary or language, a word
            // added to the dictionary) reports the text as changed; only a
            // text other than the question's is an edit.
            const std::string field = toBytes(box->objectName());
            if (box->toPlainText() != boxText(currentField(field)))
                m_workspace.questionChange(field, toBytes(box->toPlainText()));
        });
    }

    buildOptionPages();

    const int buttonY = 462;  // 28 high, 7 above the foot of the 497-pixel page
    m_delete = new QPushButton(QStringLiteral("Delete Question"), this);
    m_delete->setObjectName(QStringLiteral("DeleteQuestionButton"));
    m_delete->setGeometry(kMargin, buttonY, 140, 28);
    m_preview = new QPushButton(QStringLiteral("Preview Question"), this);
    m_preview->setObjectName(QStringLiteral("PreviewQuestionButton"));
    m_preview->setGeometry(kMargin + 148, buttonY, 140, 28);
    m_newQuestion = new QPushButton(QStringLiteral("New Question"), this);
    m_newQuestion->setObjectName(QStringLiteral("NewQuestionButton2"));
    m_newQuestion->setGeometry(600 - kMargin - 140, buttonY, 140, 28);
    // Between Preview Question and New Question, with the buttons that act on the question shown.
    m_disabled->setGeometry(kMargin + 296, buttonY + 3, 600 - kMargin - 140 - 8 - (kMargin + 296), 22);
    connect(m_delete, &QPushButton::clicked, this, &QuestionPage::deleteQuestionClicked);
    connect(m_preview, &QPushButton::clicked, this, &QuestionPage::previewQuestionClicked);
    connect(m_newQuestion, &QPushButton::clicked, this, &QuestionPage::newQuestionClicked);

    LayoutForType();
}

std::string QuestionPage::currentField(const std::string& field) const
{
    const OpenSet* set = m_workspace.current();
    const int n = m_workspace.currentQuestion();
    if (!set || n < 1 || n > kMaxQuestions)
        return {};
    return GetTag(set->questionSlots[static_cast<std::size_t>(n)], field);
}

void QuestionPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int dx = std::max(0, width() - kPageWidth);
    const int dy = std::max(0, height() - kPageHeight);
    const int textExtra = dx / 2;
    // The picture and sound controls keep to the right edge; the question
    // text takes the width up to them, never the place under them.
    const int mediaLeft = kMediaLeft + dx;
    m_media->move(mediaLeft, m_media->y());
    m_title->setGeometry(kMargin, kTitleTop, mediaLeft - 8 - kMargin, kTitleHeight + dy);
    m_description->setGeometry(kMargin, kDescriptionTop + dy, m_title->width(), kDescriptionHeight);
    for (int k = 0; k < kGroups; ++k) {
        const int y = kRowTop + dy + k * kRowHeight;
        m_textLabels[k]->setGeometry(kMargin, y, kTextWidth + textExtra, kRowLabelHeight - 1);
        m_texts[k]->setGeometry(kMargin, y + kRowLabelHeight, kTextWidth + textExtra, kRowBoxHeight);
    }
    m_optionPages->setGeometry(kOptionLeft + textExtra, kRowTop + dy, kOptionWidth + dx - textExtra, kGroups * kRowHeight);
    const int buttonY = height() - 35;
    m_delete->move(kMargin, buttonY);
    m_preview->move(kMargin + 148, buttonY);
    m_newQuestion->move(width() - kMargin - 140, buttonY);
    m_disabled->move(kMargin + 296, buttonY + 3);
    // The name takes the room up to the right edge.
    m_name->resize(width() - kMargin - m_name->x(), m_name->height());
}

void QuestionPage::markNumberAnswers(int k)
{
    const int kind = m_tType[k]->itemIndex();
    const bool numbers = kind == static_cast<int>(FieldKind::Numbers) || kind == static_cast<int>(FieldKind::NumberRange);
    // A range takes its lowest and highest number from the first two boxes.
    const bool range = kind == static_cast<int>(FieldKind::NumberRange);
    for (int a = 0; a < kAnswersPerField; ++a) {
        m_answers[k][a]->setEnabled(!range || a < 2);
        m_answers[k][a]->setPlaceholderText(range && a < 2 ? fromBytes(m_lang.at(a == 0 ? 410 : 411)) : QString());
    }
    for (QLineEdit* box : m_answers[k]) {
        const QString text = box->text().trimmed();
        const bool wrong = numbers && !text.isEmpty() && !IsNumberAnswer(toBytes(text));
        if (box->property("notANumber").toBool() == wrong)
            continue;
        box->setProperty("notANumber", wrong);
        box->setStyleSheet(wrong ? QStringLiteral("QLineEdit { border: 2px solid #c00000; }") : QString());
        box->setToolTip(wrong ? fromBytes(m_lang.at(Message::NotANumber)) : QString());
    }
}

QLabel* QuestionPage::label(const char* name, const QString& text, int x, int y, int width, int height)
{
    auto* l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(x, y, width, height);
    return l;
}

void QuestionPage::buildOptionPages()
{
    m_optionPages = new QStackedWidget(this);
    m_optionPages->setObjectName(QStringLiteral("OptionPages"));
    m_optionPages->setGeometry(kOptionLeft, kRowTop, kOptionWidth, kGroups * kRowHeight);

    // Multiple choice: one button per choice marks the right one.
    auto* select = new QWidget;
    select->setObjectName(QStringLiteral("Select"));
    m_selectGroup = new QButtonGroup(select);
    m_selectGroup->setObjectName(QStringLiteral("SelectRadioGroup"));
    for (int k = 0; k < kGroups; ++k) {
        m_select[k] = new QRadioButton(QStringLiteral("This is the right answer"), select);
        m_select[k]->setObjectName(indexed("Select", k));
        m_select[k]->setGeometry(6, k * kRowHeight + kRowLabelHeight + 20, kOptionWidth - 12, 24);
        m_selectGroup->addButton(m_select[k], k);
        connect(m_select[k], &QRadioButton::toggled, this, [this, k](bool checked) {
            m_workspace.questionChange("Select" + std::to_string(k), checked ? "1" : "0");
        });
    }

    // True/false: whether each statement is true.
    auto* tf = new QWidget;
    tf->setObjectName(QStringLiteral("TF"));
    for (int k = 0; k < kGroups; ++k) {
        // True before False, as the question types, the paper test and the
        // web test name them.
        m_tf[k] = new RadioGroup(fieldName(setfield::StatementAnswerField(k + 1)), {QStringLiteral("True"), QStringLiteral("False")}, true, tf);
        m_tf[k]->setGeometry(6, k * kRowHeight + kRowLabelHeight + 10, kOptionWidth - 12, 44);
    }

    // Text: what may be typed into each field, and the answers accepted.
    auto* field = new QWidget;
    field->setObjectName(QStringLiteral("Field"));
    constexpr int typeWidth = 96;
    constexpr int answersLeft = typeWidth + 4;
    m_answerLabel = new QLabel(QStringLiteral("Accepted answers:"), field);
    m_answerLabel->setObjectName(QStringLiteral("AnswerLabel"));
    m_answerLabel->setGeometry(answersLeft, 0, kOptionWidth - answersLeft, kRowLabelHeight - 1);
    for (int k = 0; k < kGroups; ++k) {
        const int y = k * kRowHeight + kRowLabelHeight;
        m_tType[k] = new RadioGroup(fieldName(setfield::FieldTypeField(k + 1)),
                                    {QStringLiteral("Any text"), QStringLiteral("Numbers"), QStringLiteral("A range")},
                                    false, field);
        m_tType[k]->setGeometry(0, y, typeWidth, kRowBoxHeight);

        m_scrollTexts[k] = new QScrollArea(field);
        m_scrollTexts[k]->setObjectName(indexed("ScrollText", k + 1));
        m_scrollTexts[k]->setGeometry(answersLeft, y, kOptionWidth - answersLeft, kRowBoxHeight);
        m_scrollTexts[k]->setFrameShape(QFrame::NoFrame);
        m_scrollTexts[k]->setWidgetResizable(true);
        m_scrollTexts[k]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto* answers = new QWidget;
        auto* grid = new QGridLayout(answers);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(1);
        for (int n = 0; n < kAnswersPerField; ++n) {
            QLineEdit* box = new QLineEdit(answers);
            box->setObjectName(fieldName(setfield::AnswerField(k + 1, n)));
            box->setFixedHeight(20);
            grid->addWidget(box, n / 2, n % 2);
            m_answers[k][n] = box;
            connect(box, &QLineEdit::textChanged, this, [this, box, k](const QString& text) {
                m_workspace.questionChange(toBytes(box->objectName()), toBytes(text));
                markNumberAnswers(k);
            });
        }
        m_scrollTexts[k]->setWidget(answers);
    }
    for (RadioGroup* group : m_tf) {
        connect(group, &RadioGroup::itemChosen, this, [this, group](int index) {
            m_workspace.questionChange(toBytes(group->objectName()), index == 0 ? "1" : "0");
        });
    }

    // A range is numbers with two bounds: both record fields change in one step.
    for (int k = 0; k < kGroups; ++k)
        connect(m_tType[k], &RadioGroup::itemChosen, this, [this, k](int index) {
            const OpenSet* set = m_workspace.current();
            const int n = m_workspace.currentQuestion();
            if (set && n >= 1 && n <= kMaxQuestions && !m_workspace.updating())
                m_workspace.questionRecordChange(WithFieldKind(set->questionSlots[static_cast<std::size_t>(n)], k + 1,
                                                               static_cast<FieldKind>(index)));
            markNumberAnswers(k);
        });

    m_optionPages->addWidget(select);
    m_optionPages->addWidget(tf);
    m_optionPages->addWidget(field);
}

void QuestionPage::ShowQuestion(int n)
{
    const OpenSet* set = m_workspace.current();
    if (!set || n < 1 || n > kMaxQuestions)
        return;
    const std::string& q = set->questionSlots[static_cast<std::size_t>(n)];
    m_disabled->setChecked(GetTagInt(q, setfield::kQuestionDisabled, 0) == 1);
    const QString name = fromBytes(QuestionName(q));
    if (m_name->text() != name) {
        m_name->setText(name);
        m_name->setCursorPosition(0);  // a long name shows its beginning
    }
    m_title->setPlainText(boxText(GetTag(q, setfield::kQuestionText)));
    for (int k = 0; k < kGroups; ++k)
        m_texts[k]->setPlainText(boxText(GetTag(q, setfield::TextField(k + 1))));

    m_selectGroup->setExclusive(false);
    for (QRadioButton* b : m_select)
        b->setChecked(false);
    m_selectGroup->setExclusive(true);
    const int answer = GetTagInt(q, setfield::kSelectAnswer, 0);
    if (answer >= 0 && answer < kGroups)
        m_select[answer]->setChecked(true);

    for (int k = 0; k < kGroups; ++k) {
        const std::string digit = std::to_string(k + 1);
        m_tf[k]->setItemIndex(StatementIsTrue(q, k + 1) ? 0 : 1);
        m_tType[k]->setItemIndex(static_cast<int>(FieldKindOf(q, k + 1)));
        for (int a = 0; a < kAnswersPerField; ++a)
            m_answers[k][a]->setText(boxText(GetTag(q, "a" + digit + std::to_string(a))));
        markNumberAnswers(k);
    }
    const int type = GetTagInt(q, setfield::kQuestionType, 2);
    m_type->setCurrentIndex(type >= 0 && type < kQuestionTypeCount ? type : -1);
    LayoutForType();
    m_media->refresh();
}

bool QuestionPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!DroppedMediaFiles(drag->mimeData()).empty()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::vector<std::string> paths = DroppedMediaFiles(drop->mimeData());
        if (!paths.empty()) {
            drop->acceptProposedAction();
            m_media->takeDroppedFiles(paths);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QuestionPage::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedMediaFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void QuestionPage::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> paths = DroppedMediaFiles(event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    m_media->takeDroppedFiles(paths);
}

void QuestionPage::LayoutForType()
{
    const int type = m_type->currentIndex();
    const QuestionFamily family = FamilyOfType(type);
    const int shown = AnswerGroupCount(type);
    int titleString = 114;
    // A typed answer's boxes are fields ("Field 1"), not questions.
    int textString = 566;
    switch (family) {
    case QuestionFamily::MultipleChoice:
        m_optionPages->setCurrentIndex(0);
        titleString = 86;
        textString = 113;
        break;
    case QuestionFamily::TrueFalse:
        m_optionPages->setCurrentIndex(1);
        textString = 112;
        break;
    case QuestionFamily::Text:
        m_optionPages->setCurrentIndex(2);
        break;
    }
    m_titleLabel->setText(fromBytes(m_lang.at(titleString)));
    m_name->setPlaceholderText(fromBytes(m_lang.at(Message::QuestionNameLabel)));
    m_name->setAccessibleName(fromBytes(m_lang.at(Message::QuestionNameLabel)));
    m_name->setToolTip(fromBytes(m_lang.at(Message::QuestionNameHint)));
    for (int k = 0; k < kGroups; ++k) {
        const bool visible = k < shown;
        m_textLabels[k]->setText(fromBytes(m_lang.at(textString) + " " + std::to_string(k + 1)));
        for (QWidget* w : std::initializer_list<QWidget*>{m_texts[k], m_textLabels[k], m_scrollTexts[k], m_tType[k],
                                                          m_select[k], m_tf[k]})
            w->setVisible(visible);
    }
}

void QuestionPage::EnableSetControls(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_delete, m_preview, m_newQuestion, m_media})
        w->setEnabled(enabled);
}

}  // namespace dorvel
