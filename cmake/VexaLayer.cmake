# vexa_layer(NAME DEPS dep...): the library vexa_NAME from every .cpp file in
# the current folder except main.cpp (a program's entry point).  A layer with
# no sources yet is an interface library, so that the layers above still link.
#
# Each layer's headers are reached through an include folder of its own that holds only that
# layer ("NAME/X.h"), and a target sees the folders of the layers it links: an include that goes
# up a layer does not compile.
function(vexa_layer name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  set(include_dir ${CMAKE_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${include_dir})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${include_dir}/${name} SYMBOLIC)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(sources)
    add_library(vexa_${name} STATIC ${sources})
    target_include_directories(vexa_${name} PUBLIC ${include_dir})
    target_link_libraries(vexa_${name} PUBLIC ${L_DEPS})
  else()
    add_library(vexa_${name} INTERFACE)
    target_include_directories(vexa_${name} INTERFACE ${include_dir})
    target_link_libraries(vexa_${name} INTERFACE ${L_DEPS})
  endif()
endfunction()

# vexa_program(NAME LIBS lib...): the program NAME from main.cpp in the current folder.
function(vexa_program name)
  cmake_parse_arguments(P "" "" "LIBS" ${ARGN})
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
    add_executable(${name} ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
    target_link_libraries(${name} PRIVATE ${P_LIBS})
    add_dependencies(${name} vexa_data)
    install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endfunction()
