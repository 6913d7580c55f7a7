#include "editor/ui/TestDetailsPage.h"

#include "editor/Workspace.h"
#include "editor/ui/WidgetText.h"
#include "media/MediaFileCheck.h"
#include "model/DefaultRecords.h"
#include "model/PassMark.h"
#include "model/SetFields.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dorvel {

namespace {

constexpr int kMaxNameLength = 200;
const std::string_view kCheckNames[TestDetailsPage::kChecks] = {setfield::kAllowCheating, setfield::kAllowPrinting,
                                                                setfield::kAllowFinishedQuestionViewing, kAskNameField};
const char* const kCheckTexts[TestDetailsPage::kChecks] = {"Allow the answers to be shown (cheating)", "Allow printing of the results",
                                                           "Allow finished questions to be viewed",
                                                           "Ask for the student's name before the test"};

}  // namespace

TestDetailsPage::TestDetailsPage(Workspace& workspace, QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
{
    setObjectName(QStringLiteral("TestDetails"));

    m_testNameLabel = new QLabel(QStringLiteral("Test name:"), this);
    m_testNameLabel->setObjectName(QStringLiteral("TestNameLabel"));
    place(m_testNameLabel, 16, 14, 400, 18);
    m_testName = new QLineEdit(this);
    m_testName->setObjectName(fieldName(setfield::kTestName));
    m_testName->setMaxLength(kMaxNameLength);
    place(m_testName, 16, 34, 568, 24);
    m_testNameLabel->setBuddy(m_testName);

    m_examinerNameLabel = new QLabel(QStringLiteral("Examiner name:"), this);
    m_examinerNameLabel->setObjectName(QStringLiteral("ExaminerNameLabel"));
    place(m_examinerNameLabel, 16, 70, 400, 18);
    m_examinerName = new QLineEdit(this);
    m_examinerName->setObjectName(fieldName(setfield::kExaminerName));
    m_examinerName->setMaxLength(kMaxNameLength);
    place(m_examinerName, 16, 90, 568, 24);
    m_examinerNameLabel->setBuddy(m_examinerName);

    for (QLineEdit* box : {m_testName, m_examinerName}) {
        connect(box, &QLineEdit::textChanged, this, [this, box](const QString& text) {
            m_workspace.TestChange(toBytes(box->objectName()), toBytes(text));
        });
    }

    m_options = new QGroupBox(QStringLiteral("Test options"), this);
    m_options->setObjectName(QStringLiteral("TestOptions"));
    place(m_options, 16, 130, 568, 134);
    auto* optionsLayout = new QVBoxLayout(m_options);
    for (int i = 0; i < kChecks; ++i) {
        m_checks[i] = new QCheckBox(QString::fromLatin1(kCheckTexts[i]), m_options);
        m_checks[i]->setObjectName(fieldName(kCheckNames[i]));
        optionsLayout->addWidget(m_checks[i]);
        connect(m_checks[i], &QCheckBox::toggled, this, [this, i](bool ticked) {
            m_workspace.TestCheckChange(std::string(kCheckNames[i]), ticked);
        });
    }

    m_styleLabel = new QLabel(QStringLiteral("Graphic style:"), this);
    m_styleLabel->setObjectName(QStringLiteral("Style"));
    place(m_styleLabel, 16, 278, 268, 18);
    m_graphicStyle = new QComboBox(this);
    m_graphicStyle->setObjectName(fieldName(setfield::kGraphicStyle));
    m_graphicStyle->setEditable(false);
    place(m_graphicStyle, 16, 298, 268, 24);
    m_styleLabel->setBuddy(m_graphicStyle);
    // Style names are folder names: they go into the record as the folder's bytes.
    connect(m_graphicStyle, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_workspace.GraphicStyleChange(fromQString(m_graphicStyle->itemText(index)));
        ShowStyleImage();
    });

    // The percentage a student needs to pass, reported to a learning platform.
    m_passMarkLabel = new QLabel(QStringLiteral("Pass mark:"), this);
    m_passMarkLabel->setObjectName(QStringLiteral("PassMarkLabel"));
    place(m_passMarkLabel, 16, 336, 268, 18);
    m_passMark = new QSpinBox(this);
    m_passMark->setObjectName(fieldName(kPassMarkField));
    m_passMark->setRange(0, 100);
    m_passMark->setSuffix(QStringLiteral(" %"));
    // 0 is "no pass mark": the box shows a dash instead of "0 %".
    m_passMark->setSpecialValueText(QStringLiteral("\u2014"));
    place(m_passMark, 16, 356, 120, 24);
    m_passMarkLabel->setBuddy(m_passMark);
    connect(m_passMark, &QSpinBox::valueChanged, this, [this](int value) { m_workspace.PassMarkChange(value); });

    m_styleImage = new QLabel(this);
    m_styleImage->setObjectName(QStringLiteral("StyleImage"));
    m_styleImage->setAlignment(Qt::AlignCenter);
    place(m_styleImage, 300, 278, 284, 200);
    m_styleImage->hide();

    m_newQuestion = new QPushButton(QStringLiteral("New Question"), this);
    m_newQuestion->setObjectName(QStringLiteral("NewQuestionButton1"));
    place(m_newQuestion, 16, 488, 150, 28);
    connect(m_newQuestion, &QPushButton::clicked, this, &TestDetailsPage::newQuestionClicked);
}

void TestDetailsPage::place(QWidget* w, int x, int y, int width, int height)
{
    w->setGeometry(x, y, width, height);
}

void TestDetailsPage::ShowTestDetails()
{
    const OpenSet* set = m_workspace.current();
    if (!set)
        return;
    const std::string& details = set->testDetails;
    for (QLineEdit* box : {m_testName, m_examinerName}) {
        const std::string value = GetTag(details, toBytes(box->objectName()));
        box->setText(value == "0" ? QString() : fromStored(value));
    }
    for (int i = 0; i < kChecks; ++i)
        m_checks[i]->setChecked(GetTagInt(details, kCheckNames[i], 0) == 1);
    m_passMark->setValue(PassMarkOf(details));
    // A set whose style is not installed (the default "Default" among them)
    // shows the first style until the author picks one.
    const int found = m_graphicStyle->findText(toQString(GetTag(details, setfield::kGraphicStyle)), Qt::MatchExactly);
    const int index = found >= 0 ? found : (m_graphicStyle->count() > 0 ? 0 : -1);
    if (index == m_graphicStyle->currentIndex())
        ShowStyleImage();
    else
        m_graphicStyle->setCurrentIndex(index);
}

void TestDetailsPage::setStyleNames(const std::vector<std::string>& names)
{
    const bool was = m_workspace.updating();
    m_workspace.setUpdating(true);
    m_graphicStyle->clear();
    for (const std::string& name : names)
        m_graphicStyle->addItem(toQString(name));
    m_workspace.setUpdating(was);
}

std::string TestDetailsPage::StyleImageFile(const std::string& styleFolder)
{
    for (const char* ext : {".gif", ".jpg", ".bmp"}) {
        const std::string path = JoinPath(styleFolder, std::string("Style") + ext);
        if (FileExists(path))
            return path;
    }
    return {};
}

void TestDetailsPage::ShowStyleImage()
{
    const QString style = m_graphicStyle->currentText();
    const std::string file = style.isEmpty() ? std::string()
                                             : StyleImageFile(TemplatesFolder() + fromQString(style));
    if (file.empty()) {
        m_styleImage->hide();
        return;
    }
    // A file that is not what its name says keeps the picture as it was.
    if (!CheckMediaFile(file))
        return;
    QImageReader reader(toQString(file));
    const QImage image = reader.read();
    if (image.isNull())
        return;
    QPixmap picture = QPixmap::fromImage(image);
    if (picture.width() > m_styleImage->width() || picture.height() > m_styleImage->height())
        picture = picture.scaled(m_styleImage->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_styleImage->setPixmap(picture);
    m_styleImage->show();
}

void TestDetailsPage::EnableSetControls(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_testName, m_examinerName, m_checks[0], m_checks[1],
                                                      m_checks[2], m_checks[3], m_graphicStyle, m_passMark, m_newQuestion})
        w->setEnabled(enabled);
    if (!enabled) {
        m_testName->clear();
        m_examinerName->clear();
    }
}

void TestDetailsPage::showTestName(const std::string& name)
{
    m_testName->setText(fromBytes(name));
}

}  // namespace dorvel
