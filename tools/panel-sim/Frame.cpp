#include "tools/panel-sim/Frame.h"

namespace irven::sim {

std::string_view KindName(TFrameKind kind) {
    switch (kind) {
        case TFrameKind::Query:
            return "query";
        case TFrameKind::TextSetting:
            return "text-setting";
        case TFrameKind::ByteSetting:
            return "byte-setting";
        case TFrameKind::Commit:
            return "commit";
        case TFrameKind::Upload:
            return "upload";
        case TFrameKind::Unknown:
            break;
    }
    return "unknown";
}

}  // namespace irven::sim
