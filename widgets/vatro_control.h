#pragma once
// The main window's Vatro control: the VatroOCX component created by its
// class identifier through the component host, called late-bound by
// dispatch identifier.

#include <QString>
#include <memory>

class QWidget;

class VatroControl {
public:
    ~VatroControl();

    // Creates the control through the class registry. On failure returns
    // nullptr and puts a message naming the component and what is missing
    // into `error`.
    static std::unique_ptr<VatroControl> create(QString *error);

    // The existence tests. `ok` (when given) is set false when the call
    // itself failed; the result is then false.
    bool FExists(const QString &path, bool *ok = nullptr);
    bool DirExists(const QString &path, bool *ok = nullptr);
    // Puts `window` above (or back among) the ordinary windows at its place
    // and size.
    void TopMost(QWidget *window, bool topmost);

private:
    struct Impl;
    explicit VatroControl(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};
