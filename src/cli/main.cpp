#include <QCoreApplication>

#include "cli_app.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    return corpgather::cli::Main(QCoreApplication::arguments());
}
