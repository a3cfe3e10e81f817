// The two languages a user can read the programs in.
#pragma once

namespace orvetta {

enum class Language { Japanese, English };

}  // namespace orvetta
