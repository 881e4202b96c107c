// One page of a sounding view. Pages show the processor's current products;
// refresh rebuilds what changed since the page was last shown.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

namespace velta {

class CKarvoEdDoc;
class VeltaDialogs;

// A printed text page: its heading and lines; the footer is the processing stamp.
struct TextPage {
    std::string heading;
    std::vector<std::string> lines;
};

class TabPage : public QWidget {
    Q_OBJECT
public:
    TabPage(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr)
        : QWidget(parent), doc_(doc), dialogs_(dialogs) {}

    virtual void refresh() {}
    // The text pages this page prints; none for pages that do not print text.
    virtual std::vector<TextPage> printPages() const { return {}; }
    // The page's Save command.
    virtual void save() {}

signals:
    // The page's own Print button: the view prints the page as its Print command would.
    void printRequested();
    // Undo or redo is about to change what the page shows: the view brings the page forward.
    void showRequested();

protected:
    CKarvoEdDoc& doc_;
    VeltaDialogs& dialogs_;
};

}  // namespace velta
