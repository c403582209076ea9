#include "app/startup.h"
#include "common/layout.h"
#include "platform/programfolder.h"
#include "platform/singleinstance.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    kelvane::installFontSubstitutions();
    QApplication::setFont(kelvane::layoutFont(QStringLiteral("Tahoma"), 9));
    kelvane::ProgramFolder::setPath(kelvane::ProgramFolder::resolve(
        QApplication::arguments(), QApplication::applicationDirPath()));

    std::unique_ptr<kelvane::SingleInstance> instance;
    if (!kelvane::StartKelvane(instance))
        return 1;
    return QApplication::exec();
}
