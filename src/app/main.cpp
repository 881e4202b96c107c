// Velta desktop application entry point. The main window grows in later work;
// for now it shows an empty multiple-document area so the Qt build is exercised.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

#include "BuildInfo.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Velta");
    QApplication::setApplicationVersion(velta::build::kVersion);
    QMainWindow frame;
    frame.setWindowTitle("Velta");
    frame.setCentralWidget(new QMdiArea(&frame));
    frame.setGeometry(10, 10, 972, 729);
    frame.show();
    return QApplication::exec();
}
