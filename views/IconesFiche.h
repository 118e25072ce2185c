#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Which icon file of `icones/` shows a card's preference level and medium type.
namespace IconesFiche {

// "naze.ico" below 3, "bof.ico", "neutre.ico", "pasmal.ico", "super.ico" up to 10; none above 10
// (the icon shown before stays).
std::optional<QString> iconePreference(qint32 niveau);
// "DVD-R.ico" for exactly "DVD-/+R(W)", "rien.ico" for exactly "-", else the type + ".ico".
QString iconeSupport(const QString &typeSupport);

// The picture of `Images::listeImages` for a medium-type group of the tree and its film nodes.
int imageSupport(const QString &typeSupport);

} // namespace IconesFiche
