#include "serial/SerialMessages.h"

std::string SerialMessage::NoPermission(const std::string& group) {
    if (group.empty()) {
        return "Немає прав доступу до порту. Попросіть адміністратора надати вашому користувачу "
               "право відкривати цей пристрій";
    }
    return "Немає прав доступу до порту: пристрій належить групі «" + group +
           "». Додайте свого користувача до цієї групи (sudo usermod -aG " + group +
           " $USER), потім вийдіть із системи й увійдіть знову";
}
