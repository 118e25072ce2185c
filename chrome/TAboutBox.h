#pragma once

#include <QDialog>

class QLabel;

// The about box: its texts are built once, when it is created.
class TAboutBox final : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    // The version compiled in by the build, or "1.9.2" when the build sets none.
    static QString lireVersionFichier();
    // "a.b.c.d" from a version such as "1.9.2.4" (each part as an unsigned 16-bit number,
    // no leading zeros); "1.9.2" when the text is empty.
    static QString texteVersion(const QString &versionBuild);

private:
    void FormCreate();

    QLabel *m_productName;
    QLabel *m_version;
    QLabel *m_copyright;
    QLabel *m_comments;
};
