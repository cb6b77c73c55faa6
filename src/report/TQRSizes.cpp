#include "report/TQRSizes.h"

namespace ostrelin::report {

void TQROwnedSize::WriteValue(int index, double native) {
    StoreNative(index, native);
    if (owner_ != nullptr && !ParentUpdating()) {
        SetParentUpdating(true);
        owner_->SizeChanged();
        SetParentUpdating(false);
    }
}

}  // namespace ostrelin::report
