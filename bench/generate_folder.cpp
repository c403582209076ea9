// Lays out a program folder holding N registered test-takers with full answer rows, for the
// benchmarks and for trying the program at size: kelvane_generate DIR N
#include "benchsupport.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER COUNT\n", argv[0]);
        return 2;
    }
    bool ok = false;
    const int count = QString::fromLocal8Bit(argv[2]).toInt(&ok);
    if (!ok || count < 0) {
        std::fprintf(stderr, "COUNT must be a whole number\n");
        return 2;
    }
    return generateProgramFolder(QString::fromLocal8Bit(argv[1]), count) ? 0 : 1;
}
