#pragma once
// The dialogs that exist once per run: each is created (hidden) on first use
// and closed by the exit sequence, in the order they were created.
//   frmT &t = dialogs.once<frmT>(host);

#include <QPointer>
#include <QWidget>

#include <typeindex>
#include <utility>
#include <vector>

class DialogRegistry {
public:
    template <class Dialog, class... Args>
    Dialog &once(Args &&...args)
    {
        const std::type_index key(typeid(Dialog));
        for (const Entry &e : entries_)
            if (e.type == key && e.dialog)
                return *static_cast<Dialog *>(e.dialog.data());
        auto *dialog = new Dialog(std::forward<Args>(args)...);
        entries_.push_back({key, dialog});
        return *dialog;
    }

    // Whether the dialog of this type has been made (and still exists).
    template <class Dialog>
    Dialog *existing() const
    {
        for (const Entry &e : entries_)
            if (e.type == std::type_index(typeid(Dialog)) && e.dialog)
                return static_cast<Dialog *>(e.dialog.data());
        return nullptr;
    }

    void closeAll()
    {
        for (const Entry &e : entries_)
            if (e.dialog)
                e.dialog->close();
    }

private:
    struct Entry {
        std::type_index type;
        QPointer<QWidget> dialog;
    };
    std::vector<Entry> entries_;
};
