#pragma once

#include <QDialog>
#include <QImage>

namespace dorvel {

// The About box: the program's picture and version on its first page, the
// credits on its second. A click shows the next page; a click on the last
// page goes back to the first and closes the box. At start-up it doubles
// as the splash screen.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 427;
    static constexpr int kSplashHeight = 390;

    explicit AboutBox(QWidget* parent = nullptr);

    void setVersionText(const QString& text);
    // Loads the picture (JPEG, GIF or BMP); the box draws its own title when
    // there is none.
    void loadPicture(const QString& path);
    bool hasPicture() const { return !m_picture.isNull(); }
    int page() const { return m_page; }

    // Borderless, shorter and not modal, until endSplash.
    void showSplash();
    void endSplash();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void paintTitle(QPainter& painter, const QRect& area) const;
    void paintCredits(QPainter& painter, const QRect& area) const;

    QImage m_picture;
    QString m_version;
    int m_page = 0;
};

}  // namespace dorvel
