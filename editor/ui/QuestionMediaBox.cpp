#include "editor/ui/QuestionMediaBox.h"

#include "editor/QuestionMediaEditing.h"
#include "editor/Workspace.h"
#include "editor/ui/WidgetText.h"
#include "languages/LangStrings.h"
#include "languages/MediaMessages.h"
#include "media/QuestionMedia.h"
#include "languages/SoundPlayer.h"
#include "storage/FileUtils.h"

#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

namespace dorvel {

namespace {

constexpr int kThumbWidth = 60;
constexpr int kThumbHeight = 50;
constexpr int kRow = 26;

QToolButton* ToolButton(const char* name, const QString& text, const QString& tip, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    return b;
}

}  // namespace

QuestionMediaBox::QuestionMediaBox(Workspace& workspace, UserInterface& ui, const LangStrings& lang, QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_ui(ui)
    , m_lang(lang)
{
    setObjectName(QStringLiteral("QuestionMedia"));
    m_thumbnail = new QLabel(this);
    m_thumbnail->setObjectName(QStringLiteral("QuestionPicture"));
    m_thumbnail->setGeometry(0, 0, kThumbWidth, kThumbHeight);
    m_thumbnail->setFrameShape(QFrame::StyledPanel);
    m_thumbnail->setAlignment(Qt::AlignCenter);
    m_thumbnail->setWordWrap(true);

    const int left = kThumbWidth + 4;
    m_choosePicture = new QPushButton(QStringLiteral("Picture..."), this);
    m_choosePicture->setObjectName(QStringLiteral("ChoosePictureButton"));
    m_choosePicture->setGeometry(left, 0, 88, 24);
    m_removePicture = ToolButton("RemovePictureButton", QStringLiteral("\u2715"), QStringLiteral("Remove the picture"), this);
    m_removePicture->setGeometry(left + 90, 0, 26, 24);

    // The words a screen reader says instead of the picture (the question
    // page places the box).
    m_description = new QLineEdit(this);
    m_description->setObjectName(QString::fromLatin1(kQuestionPictureDescriptionField));
    m_description->setClearButtonEnabled(true);

    // The sound's row, under the picture's.
    m_chooseSound = new QPushButton(QStringLiteral("Sound..."), this);
    m_chooseSound->setObjectName(QStringLiteral("ChooseSoundButton"));
    m_chooseSound->setGeometry(0, 2 * kRow, 60, 24);
    m_playSound = ToolButton("PlaySoundButton", QStringLiteral("\u25B6"), QStringLiteral("Play the sound"), this);
    m_playSound->setGeometry(62, 2 * kRow, 26, 24);
    m_removeSound = ToolButton("RemoveSoundButton", QStringLiteral("\u2715"), QStringLiteral("Remove the sound"), this);
    m_removeSound->setGeometry(90, 2 * kRow, 26, 24);

    m_soundName = new QLabel(this);
    m_soundName->setObjectName(QStringLiteral("QuestionSoundName"));
    m_soundName->setGeometry(120, 2 * kRow + 3, left + 116 - 120, 18);

    connect(m_choosePicture, &QPushButton::clicked, this, [this] { choose(MediaKind::Picture); });
    connect(m_chooseSound, &QPushButton::clicked, this, [this] { choose(MediaKind::Sound); });
    connect(m_removePicture, &QToolButton::clicked, this, [this] { remove(MediaKind::Picture); });
    connect(m_removeSound, &QToolButton::clicked, this, [this] { remove(MediaKind::Sound); });
    connect(m_playSound, &QToolButton::clicked, this, &QuestionMediaBox::play);
    // Only what the author types: showing another question sets the text
    // without making a change.
    connect(m_description, &QLineEdit::textEdited, this,
            [this](const QString& text) { DescribeQuestionPicture(m_workspace, toBytes(text)); });
    refresh();
}

void QuestionMediaBox::refresh()
{
    const std::string picture = CurrentQuestionMedia(m_workspace, MediaKind::Picture);
    const std::string sound = CurrentQuestionMedia(m_workspace, MediaKind::Sound);
    const OpenSet* set = m_workspace.current();
    const int n = m_workspace.currentQuestion();
    const std::string record = set && n >= 1 && n <= kMaxQuestions ? set->questionSlots[static_cast<std::size_t>(n)]
                                                                   : std::string();

    // The thumbnail is read scaled, so a large photograph costs little; a
    // file named but not found shows its name.
    QPixmap thumb;
    if (!picture.empty()) {
        QImageReader reader(toQString(picture));
        reader.setAutoTransform(true);
        const QSize size = reader.size();
        if (size.isValid())
            reader.setScaledSize(size.scaled(kThumbWidth - 4, kThumbHeight - 4, Qt::KeepAspectRatio));
        thumb = QPixmap::fromImage(reader.read());
    }
    const std::string namedPicture = NamedQuestionMedia(record, MediaKind::Picture);
    if (!thumb.isNull()) {
        m_thumbnail->setPixmap(thumb);
    } else {
        m_thumbnail->setPixmap(QPixmap());
        m_thumbnail->setText(namedPicture.empty() ? fromBytes(m_lang.at(MediaText::NoPicture))
                                                  : fromBytes(ExtractFileName(namedPicture)));
    }
    m_thumbnail->setToolTip(fromBytes(picture.empty() ? namedPicture : picture));

    const std::string namedSound = NamedQuestionMedia(record, MediaKind::Sound);
    m_soundName->setText(namedSound.empty() ? fromBytes(m_lang.at(MediaText::NoSound))
                                            : fromBytes(ExtractFileName(namedSound)));
    m_soundName->setToolTip(fromBytes(sound.empty() ? namedSound : sound));

    const QString description = fromBytes(QuestionPictureDescription(record));
    if (m_description->text() != description) {
        m_description->setText(description);
        m_description->setCursorPosition(0);  // a long text shows its beginning
    }
    m_description->setPlaceholderText(fromBytes(m_lang.at(MediaText::Description)));
    m_description->setAccessibleName(fromBytes(m_lang.at(MediaText::PictureDescription)));

    const bool question = !record.empty();
    m_choosePicture->setEnabled(question);
    m_chooseSound->setEnabled(question);
    m_removePicture->setEnabled(!namedPicture.empty());
    m_description->setEnabled(!namedPicture.empty());
    m_removeSound->setEnabled(!namedSound.empty());
    m_playSound->setEnabled(!sound.empty() && m_player);
}

void QuestionMediaBox::takeDroppedFiles(const std::vector<std::string>& paths)
{
    DropQuestionMedia(m_workspace, m_ui, m_lang, paths);
    refresh();
}

void QuestionMediaBox::choose(MediaKind kind)
{
    ChooseQuestionMedia(m_workspace, m_ui, m_lang, kind);
    refresh();
}

void QuestionMediaBox::remove(MediaKind kind)
{
    if (kind == MediaKind::Sound && m_player)
        m_player->close();
    RemoveQuestionMedia(m_workspace, kind);
    refresh();
}

void QuestionMediaBox::play()
{
    const std::string sound = CurrentQuestionMedia(m_workspace, MediaKind::Sound);
    if (sound.empty() || !m_player)
        return;
    if (m_player->open(sound))
        m_player->play();
}

}  // namespace dorvel
