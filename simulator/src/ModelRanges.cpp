#include "ModelRanges.h"

namespace zewsim {

ModelRanges ModelRanges::ForModel(std::string_view model) {
    if (model == "ZEW4410") {
        return ModelRanges{{6.0, 62.0}, {0.001, 0.6}, {0.001, 0.6}, 6.0, 0.6};
    }
    return ModelRanges{{3.0, 30.0}, {0.001, 1.2}, {0.001, 1.2}, 3.0, 1.2};
}

}  // namespace zewsim
