// Build-time tool: renders a Markdown document into a PDF file.
// Usage: velta-makepdf input.md output.pdf
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: velta-makepdf input.md output.pdf\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "velta-makepdf: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(input.readAll()));
    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    writer.setCreator("Velta");
    document.print(&writer);
    return QFile::exists(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
