#include "ini/profile_service.h"

namespace mb {

const ProfileService& PlatformProfile() { return OwnProfile(); }

}  // namespace mb
