#pragma once
// What the locations dialog reads and changes: the three location values
// live with their owner (the live preview), not in the dialog.

#include "core/locations.h"

#include <QString>

class LocationsOwner {
public:
    virtual ~LocationsOwner() = default;

    virtual const LocationValues &locations() const = 0;
    // Each takes effect at once: the next View in Browser uses it.
    virtual void setBrowser(const QString &commandLine) = 0;
    virtual void setBrowserStartIn(const QString &folder) = 0;
    // Makes `folder` the temporary directory. The preview file of the old
    // one is deleted (a file that cannot be deleted stays, and the change
    // still happens); the next refresh shows the file in the new one.
    virtual void setTempDir(const QString &folder) = 0;
};
