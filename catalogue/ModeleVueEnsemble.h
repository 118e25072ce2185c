#pragma once

#include "catalogue/FiltreRapide.h"
#include "catalogue/TFicheFilm.h"

#include <QCollator>
#include <QSortFilterProxyModel>

#include <optional>
#include <vector>

class ModeleCatalogue;

// The overview's table model: the catalogue model filtered by the quick filter and sorted by any
// column. Texts sort with the French collation ignoring case, the year, the running time and the
// preference as numbers; "-" and texts without a number come last in either order.
//
// What sorting and filtering read of each card (its collation key or number for the sort column,
// its folded texts) is made once and kept until the card changes.
class ModeleVueEnsemble final : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ModeleVueEnsemble(ModeleCatalogue &modele, QObject *parent = nullptr);
    ~ModeleVueEnsemble() override;

    void definirFiltre(const QString &saisie);
    const QString &saisieFiltre() const { return m_saisie; }
    int nombreFiches() const;
    // "N films sur M", "0 film" for an empty catalogue, "Aucun film ne correspond".
    QString texteNombre() const;

    CleFiche cle(const QModelIndex &index) const;
    // The row showing a card; invalid when it is filtered out or gone.
    QModelIndex indexDe(CleFiche cle, int colonne = 0) const;

    static bool colonneNumerique(int colonne);

protected:
    bool filterAcceptsRow(int ligne, const QModelIndex &parent) const override;
    bool lessThan(const QModelIndex &gauche, const QModelIndex &droite) const override;

private:
    enum class Etat : char
    {
        Inconnu,
        Refusee,
        Acceptee
    };
    struct CleTri
    {
        bool prete = false;
        bool inconnue = false;
        qint64 nombre = 0;
        std::optional<QCollatorSortKey> texte;
    };

    const CleTri &cleTri(int ligne, int colonne) const;
    const QByteArray &texteCherche(int ligne) const;
    void oublier(int premiere, int derniere);
    void toutOublier();

    ModeleCatalogue &m_modele;
    QCollator m_collation;
    QString m_saisie;
    FiltreRapide::Filtre m_filtre;
    mutable std::vector<QByteArray> m_textes;
    mutable std::vector<char> m_textesPrets;
    mutable std::vector<Etat> m_etats;
    mutable int m_colonneTri = -1;
    mutable std::vector<CleTri> m_cles;
    // Each card's place in the film list's order, for the sort by French title, and the version
    // of that order it was read from.
    mutable std::vector<int> m_rangs;
    mutable quint64 m_versionRangs = 0;
};
