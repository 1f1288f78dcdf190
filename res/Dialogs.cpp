// Filled in as the resources are drawn up.

namespace res {

void InstallDialogs() {}

}  // namespace res
