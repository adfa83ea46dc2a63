#include "app/text_editor.h"

#include <memory>
#include <utility>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace heatnet {

void StartTextEditor(const std::string& path, EditorFailure whenItFails) {
    // Without a parent: xdg-open may run the editor itself and last as long as it,
    // and a QProcess that is destroyed kills its process. It deletes itself when
    // it ends; one still running when the program ends is left to run.
    auto* opener = new QProcess;
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({QString::fromStdString(path)});
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->setInputChannelMode(QProcess::ForwardedInputChannel);
    // A crash is reported both as an error and as a finish; the person hears once.
    auto failure = std::make_shared<EditorFailure>(std::move(whenItFails));
    const auto fail = [failure] {
        if (*failure) std::exchange(*failure, nullptr)();
    };
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, fail](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        fail();
        opener->deleteLater();
    });
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, fail](int status, QProcess::ExitStatus exit) {
                         if (exit != QProcess::NormalExit || status != 0) fail();
                         opener->deleteLater();
                     });
    opener->start();
}

}  // namespace heatnet
