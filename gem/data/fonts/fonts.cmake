# The built-in fonts are drawn as text art in this folder; mkfont turns each
# art file into a C++ source defining the image array, at build time.
add_executable(mkfont ${CMAKE_CURRENT_LIST_DIR}/../tools/mkfont.cpp)

foreach(art system8x8 system8x16 system6x6)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/fonts/${art}.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/fonts
    COMMAND mkfont ${CMAKE_CURRENT_LIST_DIR}/${art}.txt ${out}
    DEPENDS mkfont ${CMAKE_CURRENT_LIST_DIR}/${art}.txt
    COMMENT "Building the font image from ${art}.txt")
  target_sources(gem PRIVATE ${out})
endforeach()
