#include "shell/ui/EditorApplication.h"

#include "shell/ui/MainWindow.h"
#include "shell/ui/SingleInstance.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <exception>

namespace dorvel {

int RunEditor(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Dorvel"));
    const QStringList arguments = app.arguments().mid(1);

    SingleInstance instance;
    if (instance.start(arguments) == SingleInstance::Role::Secondary)
        return 0;

    try {
        MainWindow window;
        QObject::connect(&instance, &SingleInstance::secondStart, &window, &MainWindow::secondStart);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect desktop = screen->availableGeometry();
            window.move(desktop.center() - QPoint(window.sizeHint().width() / 2, window.sizeHint().height() / 2));
        }
        window.show();
        if (!window.startCall(arguments))
            return 1;
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Dorvel"), QString::fromLocal8Bit(e.what()));
        return 1;
    }
}

}  // namespace dorvel
