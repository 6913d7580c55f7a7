#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QLabel;

namespace dorvel {

// The player's small window while a test is served: what is playing, its
// address, anything the bank lacked, a button to open the test again and
// Stop. Closing the window stops the player as Stop does.
class PlayerWindow : public QWidget {
    Q_OBJECT
public:
    PlayerWindow(const std::string& testName, bool preview, const std::string& address,
                 const std::vector<std::string>& notes, QWidget* parent = nullptr);

    // Says whether the browser could be opened on the test.
    void setOpened(bool opened);
    // Another preview now plays at the same address.
    void showTest(const std::string& testName, const std::string& address, const std::vector<std::string>& notes);

signals:
    void openRequested();
    void stopRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_name = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_notes = nullptr;
    QLabel* m_address = nullptr;
    bool m_preview = false;
};

}  // namespace dorvel
