#include "classroom/ClassSession.h"

#include "export/CreateWebPages.h"
#include "export/FlowPages.h"
#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "platform/UserInterface.h"

#include <QFileInfo>
#include <QNetworkInterface>

#include <memory>

namespace dorvel::classroom {

PreparedClass PrepareClass(const std::string& setPath, const std::string& folder, const LangStrings& lang,
                           const std::string& /*language*/, UserInterface& ui)
{
    PreparedClass prepared;
    auto set = std::make_unique<OpenSet>();
    if (ReadSetFile(setPath, *set) != SetFileStatus::Ok) {
        prepared.error = "cannot read the set " + setPath;
        return prepared;
    }
    set->filePath = setPath;
    prepared.setPath = QFileInfo(QString::fromStdString(setPath)).canonicalFilePath().toStdString();
    prepared.title = WebTestName(set->testDetails, set->filePath);
    // The questions switched on, by their number in the set.
    for (int n = 1; n <= set->questionCount(); ++n) {
        Question question = ReadQuestion(set->questionSlots[static_cast<std::size_t>(n)]);
        if (question.enabled)
            prepared.questions.push_back({n, std::move(question)});
    }
    if (prepared.questions.empty()) {
        prepared.error = "the set has no question switched on";
        return prepared;
    }

    // The flowing pages: one page for phones, tablets and laptops, whose
    // engine takes the class's script as an adapter (the server adds it).
    prepared.startPage = "index.htm";
    const std::vector<std::string> records(set->questionSlots.begin() + 1,
                                           set->questionSlots.begin() + 1 + set->questionCount());
    const FlowExport request{folder + "/" + prepared.startPage, prepared.title, set->testDetails, records, set->filePath, false, {}};
    const FlowWritten written = ExportFlowTest(request, lang);
    for (const std::string& missing : written.missingMedia)
        ui.showMessage("missing media file: " + missing, Tone::Warning);
    if (!written.error.empty())
        prepared.error = "the web test was not written: " + written.error;
    return prepared;
}

std::string NetworkAddress()
{
    for (const QNetworkInterface& face : QNetworkInterface::allInterfaces()) {
        if (!(face.flags() & QNetworkInterface::IsUp) || (face.flags() & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : face.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                return entry.ip().toString().toStdString();
        }
    }
    return {};
}

}  // namespace dorvel::classroom
