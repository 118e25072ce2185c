#include "catalogue/ModeleVueEnsemble.h"

#include "catalogue/ChampsFiche.h"
#include "catalogue/ModeleCatalogue.h"

#include <QLocale>

using namespace Qt::StringLiterals;

ModeleVueEnsemble::ModeleVueEnsemble(ModeleCatalogue &modele, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_modele(modele)
    , m_collation(QLocale(QLocale::French, QLocale::France))
{
    m_collation.setCaseSensitivity(Qt::CaseInsensitive);
    toutOublier();
    // Connected before the proxy's own handlers: what sorting and filtering read of a card is
    // forgotten before the proxy reads it again.
    connect(&modele, &QAbstractItemModel::modelAboutToBeReset, this,
            &ModeleVueEnsemble::toutOublier);
    connect(&modele, &QAbstractItemModel::modelReset, this, &ModeleVueEnsemble::toutOublier);
    connect(&modele, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int premiere, int derniere) {
                const auto n = size_t(derniere - premiere + 1);
                m_textes.insert(m_textes.begin() + premiere, n, QByteArray());
                m_textesPrets.insert(m_textesPrets.begin() + premiere, n, 0);
                m_etats.insert(m_etats.begin() + premiere, n, Etat::Inconnu);
                m_cles.insert(m_cles.begin() + premiere, n, CleTri());
            });
    connect(&modele, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int premiere, int derniere) {
                const auto effacer = [&](auto &v) {
                    v.erase(v.begin() + premiere, v.begin() + derniere + 1);
                };
                effacer(m_textes);
                effacer(m_textesPrets);
                effacer(m_etats);
                effacer(m_cles);
            });
    connect(&modele, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &haut, const QModelIndex &bas) {
                oublier(haut.row(), bas.row());
            });
    setSourceModel(&modele);
    setDynamicSortFilter(true);
}

ModeleVueEnsemble::~ModeleVueEnsemble() = default;

void ModeleVueEnsemble::toutOublier()
{
    const auto n = size_t(m_modele.rowCount());
    m_textes.assign(n, QByteArray());
    m_textesPrets.assign(n, 0);
    m_etats.assign(n, Etat::Inconnu);
    m_cles.assign(n, CleTri());
}

void ModeleVueEnsemble::oublier(int premiere, int derniere)
{
    for (int ligne = premiere; ligne <= derniere && size_t(ligne) < m_etats.size(); ++ligne) {
        m_textes[size_t(ligne)].clear();
        m_textesPrets[size_t(ligne)] = 0;
        m_etats[size_t(ligne)] = Etat::Inconnu;
        m_cles[size_t(ligne)] = CleTri();
    }
}

void ModeleVueEnsemble::definirFiltre(const QString &saisie)
{
    if (saisie == m_saisie)
        return;
    const FiltreRapide::Filtre ancien = m_filtre;
    m_saisie = saisie;
    m_filtre = FiltreRapide::analyser(saisie);
    // Typing on refines the filter: a row it refused stays refused; the others are asked again.
    bool affine = !ancien.vide() && m_filtre.criteres.size() >= ancien.criteres.size();
    for (size_t i = 0; affine && i < ancien.criteres.size(); ++i) {
        const auto &avant = ancien.criteres[i];
        const auto &apres = m_filtre.criteres[i];
        affine = avant.genre == FiltreRapide::Critere::Genre::Mot && apres.genre == avant.genre &&
                 apres.texte.contains(avant.texte);
    }
    for (Etat &etat : m_etats) {
        if (!affine || etat != Etat::Refusee)
            etat = Etat::Inconnu;
    }
    invalidateRowsFilter();
}

const QByteArray &ModeleVueEnsemble::texteCherche(int ligne) const
{
    if (!m_textesPrets[size_t(ligne)]) {
        m_textes[size_t(ligne)] = FiltreRapide::texteCherche(m_modele.fiche(ligne));
        m_textesPrets[size_t(ligne)] = 1;
    }
    return m_textes[size_t(ligne)];
}

bool ModeleVueEnsemble::filterAcceptsRow(int ligne, const QModelIndex &parent) const
{
    if (parent.isValid() || m_filtre.vide())
        return true;
    if (size_t(ligne) >= m_etats.size())
        return false;
    Etat &etat = m_etats[size_t(ligne)];
    if (etat == Etat::Inconnu) {
        etat = FiltreRapide::correspond(m_modele.fiche(ligne), texteCherche(ligne), m_filtre)
                   ? Etat::Acceptee
                   : Etat::Refusee;
    }
    return etat == Etat::Acceptee;
}

bool ModeleVueEnsemble::colonneNumerique(int colonne)
{
    return colonne == ChampsFiche::Annee || colonne == ChampsFiche::Duree ||
           colonne == ChampsFiche::NiveauPreference;
}

const ModeleVueEnsemble::CleTri &ModeleVueEnsemble::cleTri(int ligne, int colonne) const
{
    if (colonne != m_colonneTri) {
        m_cles.assign(m_cles.size(), CleTri());
        m_colonneTri = colonne;
    }
    CleTri &cle = m_cles[size_t(ligne)];
    if (cle.prete)
        return cle;
    const auto champ = static_cast<ChampsFiche::Champ>(colonne);
    if (champ == ChampsFiche::TitreFrancais) {
        // The film list's order, which the catalogue model keeps: each card's place in it.
        if (m_versionRangs != m_modele.versionOrdre() || m_rangs.size() != m_cles.size()) {
            const std::vector<int> &ordre = m_modele.lignesParTitre();
            m_rangs.assign(ordre.size(), 0);
            for (size_t place = 0; place < ordre.size(); ++place)
                m_rangs[size_t(ordre[place])] = int(place);
            m_versionRangs = m_modele.versionOrdre();
        }
        cle.nombre = size_t(ligne) < m_rangs.size() ? m_rangs[size_t(ligne)] : 0;
        cle.prete = true;
        return cle;
    }
    cle.prete = true;
    const TFicheFilm &fiche = m_modele.fiche(ligne);
    if (champ == ChampsFiche::NiveauPreference) {
        cle.nombre = fiche.niveauPreference();
    } else if (colonneNumerique(colonne)) {
        const auto nombre = FiltreRapide::nombreEnTete(ChampsFiche::texte(fiche, champ));
        cle.inconnue = !nombre;
        cle.nombre = nombre.value_or(0);
    } else {
        const QString texte = ChampsFiche::enTexte(fiche, champ);
        cle.inconnue = texte.isEmpty() || texte == u"-";
        if (!cle.inconnue)
            cle.texte = m_collation.sortKey(texte);
    }
    return cle;
}

bool ModeleVueEnsemble::lessThan(const QModelIndex &gauche, const QModelIndex &droite) const
{
    const int colonne = gauche.column();
    if (colonne < 0 || colonne >= ChampsFiche::NombreChamps)
        return QSortFilterProxyModel::lessThan(gauche, droite);
    const CleTri &a = cleTri(gauche.row(), colonne);
    const CleTri &b = cleTri(droite.row(), colonne);
    // Unknown values last, in either order: a descending sort turns the answer round.
    if (a.inconnue || b.inconnue) {
        if (a.inconnue == b.inconnue)
            return gauche.row() < droite.row();
        return sortOrder() == Qt::DescendingOrder ? a.inconnue : b.inconnue;
    }
    int comparaison = 0;
    if (a.texte && b.texte)
        comparaison = a.texte->compare(*b.texte);
    else
        comparaison = a.nombre < b.nombre ? -1 : (a.nombre > b.nombre ? 1 : 0);
    return comparaison != 0 ? comparaison < 0 : gauche.row() < droite.row();
}

int ModeleVueEnsemble::nombreFiches() const
{
    return rowCount();
}

QString ModeleVueEnsemble::texteNombre() const
{
    const int total = m_modele.rowCount();
    const int montres = rowCount();
    if (total == 0)
        return u"0 film"_s;
    if (montres == 0)
        return u"Aucun film ne correspond"_s;
    return u"%1 %2 sur %3"_s.arg(montres).arg(montres == 1 ? u"film"_s : u"films"_s).arg(total);
}

CleFiche ModeleVueEnsemble::cle(const QModelIndex &index) const
{
    const QModelIndex source = mapToSource(index);
    return source.isValid() ? m_modele.cle(source.row()) : 0;
}

QModelIndex ModeleVueEnsemble::indexDe(CleFiche cle, int colonne) const
{
    const int ligne = m_modele.ligne(cle);
    return ligne < 0 ? QModelIndex() : mapFromSource(m_modele.index(ligne, colonne));
}
