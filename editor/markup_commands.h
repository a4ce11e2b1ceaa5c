#pragma once
// The text pane's knowledge of HTML: HTML, Complete (Ctrl+Space), Go to
// Matching Tag (Ctrl+M), Select Element (Ctrl+E) and Toggle Comment
// (Ctrl+Shift+C); and the options for typing, each off until switched on
// and kept in the settings under its own key: Complete as You Type
// ("CompleteAsYouType"), Close Tags as You Type ("CloseTags"), Mark
// Matching Tags ("MarkMatchingTags"), Auto-indent ("AutoIndent"), and Tab
// Width... ("TabWidth", 8 when missing).

#include <QObject>

class HTMLPane;
class PaneMarkup;
class Platform;
class QAction;
class QWidget;
class TagCompletion;
class TagMatching;
struct MainMenu;

class MarkupCommands : public QObject {
    Q_OBJECT
public:
    MarkupCommands(const MainMenu &menu, HTMLPane &pane, Platform &platform, QWidget &window);

    QAction *mnuComplete = nullptr, *mnuMatchingTag = nullptr, *mnuSelectElement = nullptr,
            *mnuToggleComment = nullptr;
    QAction *mnuCompleteAsYouType = nullptr, *mnuCloseTags = nullptr, *mnuMarkTags = nullptr,
            *mnuAutoIndent = nullptr, *mnuTabWidth = nullptr;

    TagCompletion &completion() { return *completion_; }
    TagMatching &matching() { return *matching_; }
    PaneMarkup &markup() { return *markup_; }

    void mnuToggleComment_Click();
    void mnuTabWidth_Click();

private:
    void keepIndent(int ch);

    HTMLPane &pane_;
    Platform &platform_;
    QWidget &window_;
    PaneMarkup *markup_;
    TagCompletion *completion_;
    TagMatching *matching_;
    bool autoIndent_ = false;
};
