#pragma once

#include <QDialog>

class QTextBrowser;

// Shows the program's help file, an HTML text beside the program.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Beside the program first, then by the bare name from the working
    // directory; empty when neither exists.
    static QString locate(const QString& fileName);
    // False when the file cannot be found or read.
    bool showContents(const QString& fileName);

private:
    QTextBrowser* m_browser;
};
