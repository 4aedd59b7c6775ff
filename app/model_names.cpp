#include "app/model_names.h"

namespace korvath::app {

// The names are GBK bytes spelled as escapes, so that what the program holds
// does not depend on the encoding of this file or the compiler's source
// character set; the comment beside each gives the name in readable form.
const std::array<const char*, 20>& ModelNames() {
  static const std::array<const char*, 20> names = {
      "\xBD\xA3\xBF\xCD",  // 剑客
      "\xB5\xB6\xBF\xCD",  // 刀客
      "\xC7\xB9\xCD\xF5",  // 枪王
      "\xC8\xAD\xCA\xA6",  // 拳师
      "\xB9\xAD\xCA\xD6",  // 弓手
      "\xB4\xCC\xBF\xCD",  // 刺客
      "\xCE\xE4\xC9\xAE",  // 武僧
      "\xCF\xC0\xC5\xAE",  // 侠女
      "\xEF\xDA\xCA\xA6",  // 镖师
      "\xB2\xB6\xBF\xEC",  // 捕快
      "\xCC\xFA\xCE\xC0",  // 铁卫
      "\xBF\xF1\xD5\xBD\xCA\xBF",  // 狂战士
      "\xD2\xA9\xCA\xA6",  // 药师
      "\xB5\xC0\xCA\xBF",  // 道士
      "\xC0\xCB\xC8\xCB",  // 浪人
      "\xBD\xAB\xBE\xFC",  // 将军
      "\xC9\xBD\xD4\xF4",  // 山贼
      "\xD3\xCE\xCF\xC0",  // 游侠
      "\xB7\xC9\xD4\xF4",  // 飞贼
      "\xB9\xF7\xC9\xAE",  // 棍僧
  };
  return names;
}

}  // namespace korvath::app
