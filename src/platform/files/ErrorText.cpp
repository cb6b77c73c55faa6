#include "platform/files/ErrorText.h"

#include <cerrno>
#include <string>

namespace ostrelin::platform::files {

std::string FileErrorText(int error) {
    switch (error) {
        case ENOSPC:
            return "na disku není volné místo";
        case EDQUOT:
            return "byla překročena disková kvóta";
        case EACCES:
        case EPERM:
            return "chybí oprávnění k zápisu";
        case EROFS:
            return "svazek je jen pro čtení";
        case ENOENT:
            return "složka neexistuje";
        case ENOTDIR:
            return "cesta nevede do složky";
        case EEXIST:
            return "soubor tohoto jména už existuje";
        case EFBIG:
            return "soubor je příliš velký";
        case EIO:
            return "chyba vstupu a výstupu zařízení";
        case 0:
            return "příčina není známa";
        default:
            // The system's own texts are English; its number at least tells an expert the cause.
            return "systémová chyba č. " + std::to_string(error);
    }
}

std::string FileReadErrorText(int error) {
    return error == EACCES || error == EPERM ? "chybí oprávnění ke čtení" : FileErrorText(error);
}

}  // namespace ostrelin::platform::files
