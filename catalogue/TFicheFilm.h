#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// One film of the catalogue: plain data, stored and handed back exactly as given.
// The five lists belong to the card; a list getter hands out the card's own list, which stays
// the same object across writes (a write replaces its lines).
class TFicheFilm final
{
public:
    // A card with this identifier and every other field empty (preference 0).
    explicit TFicheFilm(QString idFilm);
    TFicheFilm(QString idFilm, QString titreFrancais, QString annee, QString duree, QString resume,
               QString distributeurFR, QString titreOriginal, QStringList realisateurs,
               QStringList nationnalites, QStringList genres, QStringList acteurs,
               QStringList motsCles);

    const QString &idFilm() const { return m_idFilm; }
    // Every field equal.
    bool operator==(const TFicheFilm &) const = default;

    const QString &titreFrancais() const { return m_titreFrancais; }
    void setTitreFrancais(const QString &valeur) { m_titreFrancais = valeur; }
    const QString &annee() const { return m_annee; }
    void setAnnee(const QString &valeur) { m_annee = valeur; }
    const QString &duree() const { return m_duree; }
    void setDuree(const QString &valeur) { m_duree = valeur; }
    const QString &resume() const { return m_resume; }
    void setResume(const QString &valeur) { m_resume = valeur; }
    const QString &distributeurFR() const { return m_distributeurFR; }
    void setDistributeurFR(const QString &valeur) { m_distributeurFR = valeur; }
    const QString &titreOriginal() const { return m_titreOriginal; }
    void setTitreOriginal(const QString &valeur) { m_titreOriginal = valeur; }
    const QString &nomSupport() const { return m_nomSupport; }
    void setNomSupport(const QString &valeur) { m_nomSupport = valeur; }
    const QString &typeSupport() const { return m_typeSupport; }
    void setTypeSupport(const QString &valeur) { m_typeSupport = valeur; }
    const QString &cheminImage() const { return m_cheminImage; }
    void setCheminImage(const QString &valeur) { m_cheminImage = valeur; }
    const QString &cheminFichier() const { return m_cheminFichier; }
    void setCheminFichier(const QString &valeur) { m_cheminFichier = valeur; }
    const QString &codec() const { return m_codec; }
    void setCodec(const QString &valeur) { m_codec = valeur; }
    const QString &commentaire() const { return m_commentaire; }
    void setCommentaire(const QString &valeur) { m_commentaire = valeur; }

    qint32 niveauPreference() const { return m_niveauPreference; }
    void setNiveauPreference(qint32 valeur) { m_niveauPreference = valeur; }

    QStringList &realisateurs() { return m_realisateurs; }
    const QStringList &realisateurs() const { return m_realisateurs; }
    void setRealisateurs(const QStringList &lignes) { remplacer(m_realisateurs, lignes); }
    QStringList &nationnalites() { return m_nationnalites; }
    const QStringList &nationnalites() const { return m_nationnalites; }
    void setNationnalites(const QStringList &lignes) { remplacer(m_nationnalites, lignes); }
    QStringList &genres() { return m_genres; }
    const QStringList &genres() const { return m_genres; }
    void setGenres(const QStringList &lignes) { remplacer(m_genres, lignes); }
    QStringList &acteurs() { return m_acteurs; }
    const QStringList &acteurs() const { return m_acteurs; }
    void setActeurs(const QStringList &lignes) { remplacer(m_acteurs, lignes); }
    QStringList &motsCles() { return m_motsCles; }
    const QStringList &motsCles() const { return m_motsCles; }
    void setMotsCles(const QStringList &lignes) { remplacer(m_motsCles, lignes); }

private:
    // Empties the card's own list and appends the given lines; the list object stays the same
    // (also when a card's list is written with itself).
    static void remplacer(QStringList &liste, const QStringList &lignes);

    QString m_idFilm;
    QString m_titreFrancais;
    QStringList m_realisateurs;
    QString m_annee;
    QStringList m_nationnalites;
    QStringList m_genres;
    QString m_duree;
    QStringList m_acteurs;
    QString m_resume;
    QString m_distributeurFR;
    QString m_titreOriginal;
    QStringList m_motsCles;
    qint32 m_niveauPreference = 0;
    QString m_nomSupport;
    QString m_typeSupport;
    QString m_cheminImage;
    QString m_cheminFichier;
    QString m_codec;
    QString m_commentaire;
};

// Walks over the catalogue are bound by memory: every card and each of its texts is a block of
// its own, met in no particular order. These ask for a card, or a text's characters, a few steps
// ahead of the walk; they only hint and change nothing.
// The in-memory number of a card of the catalogue: given by the data module when the card comes in,
// never given twice in a run. Identifiers may repeat in a catalogue file; numbers do not.
using CleFiche = quint64;

// The catalogue's cards, in order.
using Catalogue = std::vector<std::unique_ptr<TFicheFilm>>;

inline void prechargerFiche(const TFicheFilm *fiche)
{
    __builtin_prefetch(fiche);
}
inline void prechargerTexte(const QString &texte)
{
    __builtin_prefetch(texte.constData());
}
inline void prechargerListe(const QStringList &liste)
{
    __builtin_prefetch(liste.constData());
}
