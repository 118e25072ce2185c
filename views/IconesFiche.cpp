#include "views/IconesFiche.h"

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

} // namespace IconesFiche
