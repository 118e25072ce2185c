#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class DialogueAnalyseDossier;
class DialogueFichiersIntrouvables;
class Dialogues;
class QAction;
class QWidget;
class Tdm_Kinolux;

// The commands between the catalogue and the user's video files: "Analyser un dossier…" makes
// cards for the films of a folder, "Fichiers introuvables…" finds the files of cards whose
// collection moved.
class FichiersVideo final : public QObject
{
    Q_OBJECT

public:
    FichiersVideo(Tdm_Kinolux &dm, Dialogues &dialogues, QWidget *fenetre,
                  std::function<void()> suivreCatalogue);

    // The commands as actions named as their handlers (without "Execute"), children of
    // `conteneur`.
    QList<QAction *> creerActions(QObject *conteneur);

    DialogueAnalyseDossier *dialogueAnalyse() const;
    DialogueFichiersIntrouvables *dialogueIntrouvables() const;

    // What the last import of a folder did.
    struct Bilan
    {
        int ajoutees = 0;
        int dejaPresentes = 0;
        bool arrete = false;
    };
    const Bilan &dernierBilan() const { return m_bilan; }

public slots:
    void analyserDossierExecute();
    void fichiersIntrouvablesExecute();
    // The ticked files of the analysis made into cards (the dialog's "Importer").
    void importerAnalyse();
    // The files of the same names under a folder the user picks (the dialog's "Chercher…").
    void chercherIntrouvables();
    // The ticked cards take the files found (the dialog's "Mettre à jour").
    void remplacerIntrouvables();

private:
    Tdm_Kinolux &m_dm;
    Dialogues &m_dialogues;
    QWidget *m_fenetre;
    std::function<void()> m_suivreCatalogue;
    QPointer<DialogueAnalyseDossier> m_analyse;
    QPointer<DialogueFichiersIntrouvables> m_introuvables;
    QString m_dernierDossier;
    Bilan m_bilan;
};
