# The application icon, drawn from its one SVG source at build time: PNGs at the sizes the window
# and the taskbar ask for, and for Windows an .ico of them that the executables carry. Consumers
# depend on the target irven_application_icon.
find_program(IRVEN_RSVG_CONVERT rsvg-convert REQUIRED)

set(IRVEN_ICON_SOURCE ${PROJECT_SOURCE_DIR}/ui/desktop/org.irven.Configurator.svg)
set(IRVEN_ICON_DIR ${PROJECT_BINARY_DIR}/icon)
set(IRVEN_ICON_SIZES 16 24 32 48 64 128 256)
set(IRVEN_ICON_PNGS "")
foreach(size IN LISTS IRVEN_ICON_SIZES)
  set(png ${IRVEN_ICON_DIR}/icon-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${IRVEN_ICON_DIR}
    COMMAND ${IRVEN_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${IRVEN_ICON_SOURCE}
    DEPENDS ${IRVEN_ICON_SOURCE}
    VERBATIM)
  list(APPEND IRVEN_ICON_PNGS ${png})
endforeach()

set(IRVEN_ICON_OUTPUTS ${IRVEN_ICON_PNGS})
if(WIN32)
  find_program(IRVEN_ICOTOOL icotool REQUIRED)
  set(IRVEN_ICON_ICO ${IRVEN_ICON_DIR}/irven-configurator.ico)
  # The largest picture stays PNG-compressed inside the .ico, as Windows Vista and later read it.
  set(small ${IRVEN_ICON_PNGS})
  list(FILTER small EXCLUDE REGEX "icon-256\\.png$")
  add_custom_command(OUTPUT ${IRVEN_ICON_ICO}
    COMMAND ${IRVEN_ICOTOOL} --create --output=${IRVEN_ICON_ICO} ${small}
      --raw=${IRVEN_ICON_DIR}/icon-256.png
    DEPENDS ${IRVEN_ICON_PNGS}
    VERBATIM)
  list(APPEND IRVEN_ICON_OUTPUTS ${IRVEN_ICON_ICO})
endif()
add_custom_target(irven_application_icon DEPENDS ${IRVEN_ICON_OUTPUTS})
