// Filled in as the resources are drawn up.

namespace res {

void InstallImages() {}

}  // namespace res
