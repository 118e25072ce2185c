#include "import/Jpeg.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct Erreurs
{
    jpeg_error_mgr base;
    std::jmp_buf retour;
};

// libjpeg's default would end the process: go back to the caller instead.
[[noreturn]] void sortir(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Erreurs *>(info->err)->retour, 1);
}

void taire(j_common_ptr)
{
}

} // namespace

namespace Jpeg {

bool enTeteLisible(QByteArrayView octets)
{
    if (octets.isEmpty())
        return false;
    jpeg_decompress_struct info{};
    Erreurs erreurs{};
    info.err = jpeg_std_error(&erreurs.base);
    erreurs.base.error_exit = sortir;
    erreurs.base.output_message = taire;
    jpeg_create_decompress(&info);
    bool lisible = false;
    if (setjmp(erreurs.retour) == 0) {
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(octets.data()),
                     static_cast<unsigned long>(octets.size()));
        lisible = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
    }
    jpeg_destroy_decompress(&info);
    return lisible;
}

} // namespace Jpeg
