#pragma once

#include <QByteArray>
#include <QTreeWidget>

// The directory list: the path from the root down to the shown directory,
// then that directory's subdirectories. It navigates by changing the
// process's working directory. Paths are kept as raw bytes, so a name that is
// not valid UTF-8 still leads to its own directory.
class DirectoryListBox : public QTreeWidget {
    Q_OBJECT
public:
    explicit DirectoryListBox(QWidget* parent = nullptr);

    QByteArray directory() const { return m_directory; }
    // Shows the directory and makes it the working directory; throws IoError
    // and changes nothing when it cannot be opened.
    void setDirectory(const QByteArray& path);
    QByteArray pathOf(const QTreeWidgetItem* item) const;
    // Opens the directory of the current item (a click, or Enter on it).
    void openCurrentItem();
    // The working directory, or the root when that cannot be listed.
    void showWorkingDirectory();
    // The shown directory as a list entry: one trailing "/", a root keeps its own.
    QByteArray directoryEntry() const;

    static QByteArray absolute(const QByteArray& path);
    static QList<QByteArray> subdirectories(const QByteArray& path);

Q_SIGNALS:
    void directoryChanged(const QByteArray& path);

protected:
    // The path reads as an indented list; there is nothing to fold.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

private:
    void rebuild(const QList<QByteArray>& children);

    QByteArray m_directory;
};
