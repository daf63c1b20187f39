# The product's name as people meet it outside the programs: the desktop's menu and the software
# centre, Explorer's Properties, the Windows installer and its Start-menu entry, the archive's note.
# The programs' own texts keep theirs.
include_guard(GLOBAL)

set(IRVEN_PRODUCT_NAME "Ирвен А8 Конфигуратор")
# Where the interface is Ukrainian.
set(IRVEN_PRODUCT_NAME_UK "Ірвен А8 Конфігуратор")
set(IRVEN_PUBLISHER "Ирвен")
