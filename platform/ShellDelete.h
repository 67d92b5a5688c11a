#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>

class ParentDirectory;
class QProgressDialog;
class QWidget;

// The shell's delete operation: removes a list of items into the trash or
// for good, without asking first (the program asks). A path may end in "*.*"
// or "*", meaning every entry of that directory, dot-entries included.
// Links are removed as links, and a path that leads through a link (a
// directory replaced by one since the search) is refused. Sockets, FIFOs and device nodes belong to
// running programs and stay where they are, with the directories holding
// them, without an error. Long runs show a progress window with Cancel; each
// failing item gets a dialog with Skip, Skip all and Cancel.
class ShellDelete {
public:
    struct Result {
        QList<QByteArray> removed; // the items that are gone now
        bool cancelled = false;
    };

    explicit ShellDelete(QWidget* owner);
    ~ShellDelete();
    ShellDelete(const ShellDelete&) = delete;
    ShellDelete& operator=(const ShellDelete&) = delete;

    Result run(const QList<QByteArray>& items, bool allowUndo);
    // Entries of other users are left alone without an error (a shared
    // directory such as the temp directory holds them).
    void setOwnEntriesOnly(bool ownOnly) { m_ownOnly = ownOnly; }
    // A trash directory itself (".Trash", ".Trash-1000") is never removed.
    static bool isTrashDirectory(const QByteArray& path);

    static QList<QByteArray> expand(const QList<QByteArray>& items);
    // Whether a socket, FIFO or device node lies anywhere below dir.
    static bool holdsNodesInUse(const QByteArray& dir);

private:
    bool remove(const QByteArray& path); // false: not (entirely) removed
    bool trash(const ParentDirectory& parent, const QByteArray& path);
    bool erase(const ParentDirectory& parent, const QByteArray& path, int flags);
    bool failed(const QByteArray& path, int error);
    void progress(const QByteArray& path);

    QWidget* m_owner;
    bool m_allowUndo = false;
    bool m_ownOnly = false;
    bool m_skipAll = false;
    bool m_cancelled = false;
    int m_done = 0;
    int m_total = 0;
    QProgressDialog* m_progress = nullptr;
    QElapsedTimer m_sinceShown;
};
