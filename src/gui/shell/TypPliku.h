#pragma once

#include <QString>

namespace welkor::gui {

// Registration of a document type with the desktop, for the current user
// only (no administrator or root rights needed).

// ---- Windows ----------------------------------------------------------------

// Default values of keys under HKEY_CURRENT_USER\Software\Classes, which
// Windows merges into HKEY_CLASSES_ROOT for this user.
class RegistryWriter {
public:
    virtual ~RegistryWriter() = default;
    // Creates the key if needed (parts separated by backslashes) and sets its
    // default value; false when the registry refused.
    virtual bool setDefaultValue(const QString& key, const QString& value) = 0;
    // Tells the shell that file associations changed.
    virtual void notifyAssociationsChanged() = 0;
};

// The real registry through QSettings' native format. Built on every
// platform so it is always compiled; only Windows uses it.
class NativeRegistry : public RegistryWriter {
public:
    bool setDefaultValue(const QString& key, const QString& value) override;
    void notifyAssociationsChanged() override;
};

// Writes the type's five keys in order, then notifies the shell. A refused
// write throws UserError naming the key; the keys written before it stay and
// the shell is not notified.
void RegisterWindowsFileType(RegistryWriter& registry, const QString& extension, const QString& typeName,
                             const QString& description, const QString& programPath);

// ---- freedesktop (Linux and other Unix desktops) ---------------------------

struct FreedesktopPlaces {
    QString dataHome;   // $XDG_DATA_HOME, normally ~/.local/share
    QString configHome; // $XDG_CONFIG_HOME, normally ~/.config

    static FreedesktopPlaces ForCurrentUser();
};

// The MIME type the program gives a document extension (".rap":
// "application/x-welkor-rap").
QString MimeTypeForExtension(const QString& extension);

// Writes the MIME package (mime/packages/welkor-lumo.xml), the desktop entry
// (applications/welkor-lumo.desktop) and its icon, and makes the program the
// default for the type in mimeapps.list; then refreshes the MIME and desktop
// databases with update-mime-database and update-desktop-database where they
// are installed. A file whose bytes would not change is not written, so a
// second registration changes nothing. Throws UserError when a step fails.
void RegisterFreedesktopFileType(const FreedesktopPlaces& places, const QString& extension,
                                 const QString& description, const QString& programPath);

} // namespace welkor::gui
