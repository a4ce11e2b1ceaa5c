#pragma once
// The editor's conveniences beyond its menus of old, made and wired in one
// place: the find bar and Find/Replace/Go to line, Check page and its panel,
// syntax colouring and line numbers, the recent files, dropped files and
// the watch on the open file, completion, closing and matching tags and
// the other comforts of typing HTML, the status bar, the desktop keys and
// the spelling check. Each is its own object; this only builds them.

#include <QObject>

class CheckCommand;
class DesktopKeys;
class MarkupCommands;
class StatusLine;
class TidyCommand;
class CheckPanel;
class DiskWatch;
class Document;
class FileDrop;
class FindBar;
class FindCommands;
class HTMLPane;
class PaneFooter;
class Platform;
class QWidget;
class RecentFiles;
class SpellCommands;
class ViewOptions;
struct MainMenu;

class Comforts : public QObject {
    Q_OBJECT
public:
    Comforts(QWidget &window, HTMLPane &pane, PaneFooter &footer, Document &document,
             Platform &platform, const MainMenu &menu);

    FindBar &findBar();
    CheckPanel &checkPanel();
    FindCommands &find() { return *find_; }
    CheckCommand &check() { return *check_; }
    ViewOptions &view() { return *view_; }
    RecentFiles &recent() { return *recent_; }
    DiskWatch &diskWatch() { return *diskWatch_; }
    MarkupCommands &markup() { return *markup_; }
    TidyCommand &tidy() { return *tidy_; }
    StatusLine &statusLine() { return *status_; }
    DesktopKeys &desktopKeys() { return *desktopKeys_; }
    SpellCommands &spelling() { return *spelling_; }

private:
    FindCommands *find_;
    CheckCommand *check_;
    ViewOptions *view_;
    RecentFiles *recent_;
    FileDrop *drop_;
    DiskWatch *diskWatch_;
    MarkupCommands *markup_;
    TidyCommand *tidy_;
    StatusLine *status_;
    DesktopKeys *desktopKeys_;
    SpellCommands *spelling_;
};
