#pragma once

#include <QByteArrayView>

namespace Jpeg {

// True when the bytes begin with a JPEG header that libjpeg can read.
bool enTeteLisible(QByteArrayView octets);

} // namespace Jpeg
