#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QLocalServer;

namespace dorvel {

// One preview player per user. The player of a preview listens on a local
// socket; a later preview hands its bank to it, and the running player shows
// the new question in the tab it already has open, instead of a second
// player, window and tab for every Preview.
class PreviewHandOff : public QObject {
    Q_OBJECT
public:
    // Named after the user; DORVEL_PREVIEW_NAME overrides it (tests run
    // players of their own).
    static QString defaultName();

    explicit PreviewHandOff(QString name = defaultName(), QObject* parent = nullptr);
    ~PreviewHandOff() override;

    // Hands `bankPath` to the running preview player: the address it shows
    // the question at, or "" when no preview player took it.
    std::string handOver(const std::string& bankPath);

    // Becomes the preview player later previews hand over to. `takeBank`
    // plays a handed bank and returns the address it is shown at ("" when
    // the bank could not be played).
    bool listen(std::function<std::string(const std::string&)> takeBank);

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
    std::function<std::string(const std::string&)> m_takeBank;
};

}  // namespace dorvel
