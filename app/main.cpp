#include "shell/ui/EditorApplication.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return dorvel::RunEditor(app);
}
