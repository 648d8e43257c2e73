#pragma once

#include <QString>

namespace quillet {

// Which program opens text files (*.txt, text/plain) when the desktop opens one: this
// editor, or the system's own editor. On Windows the class of ".txt" in HKEY_CLASSES_ROOT
// would be written; only the free desktops' variant (XdgFileAssociation) is built.
class FileAssociation {
public:
    enum class Owner { Quillet, System, Unknown };

    struct Result {
        bool ok = true;
        QString message;  // for the user when not ok
    };

    virtual ~FileAssociation() = default;
    // Who opens text files now; Unknown when that cannot be found out.
    virtual Owner owner() = 0;
    // Registers this editor as the handler of text files.
    virtual Result useQuillet() = 0;
    // Gives text files back to the system's editor.
    virtual Result useSystemEditor() = 0;
};

// The free desktops: a desktop entry "quillet.desktop" in $XDG_DATA_HOME/applications
// (default ~/.local/share/applications) and the default application of text/plain set with
// xdg-mime. The handler that was the default before the editor took over is remembered in
// the desktop entry (key X-Quillet-Previous) and given the files back; when it is unknown or
// gone, the editor's own entry is removed from the user's mimeapps lists, so the system's
// default applies again.
class XdgFileAssociation : public FileAssociation {
public:
    static constexpr const char* kDesktopFile = "quillet.desktop";
    static constexpr const char* kMimeType = "text/plain";

    // programPath: the editor's program file; xdgMime: the xdg-mime program, empty when the
    // system has none.
    XdgFileAssociation(QString programPath, QString xdgMime);
    // The editor's own program and the xdg-mime found on the search path.
    static XdgFileAssociation forThisProgram();

    Owner owner() override;
    Result useQuillet() override;
    Result useSystemEditor() override;

    // The desktop entry written for `programPath`, remembering `previous`.
    static QString desktopEntry(const QString& programPath, const QString& previous);
    // The folder of the user's desktop entries and of the user's mimeapps.list.
    static QString applicationsFolder();
    static QString configFolder();

private:
    // Runs xdg-mime; false when it cannot be run or fails.
    bool runXdgMime(const QStringList& arguments, QString* output = nullptr) const;
    bool queryDefault(QString* handler) const;
    QString desktopPath() const;
    QString rememberedPrevious() const;
    static bool desktopEntryExists(const QString& name);
    Result noXdgMime() const;

    QString m_programPath;
    QString m_xdgMime;
};

} // namespace quillet
