#include "views/IconesFiche.h"

#include "chrome/Images.h"

using namespace Qt::StringLiterals;

namespace IconesFiche {

std::optional<QString> iconePreference(qint32 niveau)
{
    if (niveau < 3)
        return u"naze.ico"_s;
    if (niveau <= 4)
        return u"bof.ico"_s;
    if (niveau <= 6)
        return u"neutre.ico"_s;
    if (niveau <= 8)
        return u"pasmal.ico"_s;
    if (niveau <= 10)
        return u"super.ico"_s;
    return std::nullopt;
}

QString iconeSupport(const QString &typeSupport)
{
    if (typeSupport == u"DVD-/+R(W)")
        return u"DVD-R.ico"_s;
    if (typeSupport == u"-")
        return u"rien.ico"_s;
    return typeSupport + u".ico"_s;
}

int imageSupport(const QString &typeSupport)
{
    if (typeSupport == u"DVD-/+R(W)")
        return Images::imageDvdEnregistrable;
    if (typeSupport == u"DVD-VIDEO")
        return Images::imageDvdVideo;
    if (typeSupport == u"CD-R(W)")
        return Images::imageCd;
    if (typeSupport == u"Disque Dur Local")
        return Images::imageDisqueLocal;
    if (typeSupport == u"Disque Dur Externe")
        return Images::imageDisqueExterne;
    return Images::imageSupportAutre;
}

} // namespace IconesFiche
