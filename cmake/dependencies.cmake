# nlohmann-json is header-only. In the MinGW build only its own folder is exposed, never
# /usr/include itself, whose C headers would shadow MinGW's.
find_path(VSM_NLOHMANN_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(VSM_JSON_INCLUDE ${CMAKE_BINARY_DIR}/third_party_include)
file(MAKE_DIRECTORY ${VSM_JSON_INCLUDE})
file(CREATE_LINK ${VSM_NLOHMANN_DIR}/nlohmann ${VSM_JSON_INCLUDE}/nlohmann SYMBOLIC)
add_library(vsm_json INTERFACE)
target_include_directories(vsm_json SYSTEM INTERFACE ${VSM_JSON_INCLUDE})

# GoogleTest: the distribution's library natively, built from its sources for MinGW.
if(WIN32)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  add_library(vsm_gtest INTERFACE)
  target_link_libraries(vsm_gtest INTERFACE gtest gmock)
else()
  find_package(GTest REQUIRED)
  add_library(vsm_gtest INTERFACE)
  target_link_libraries(vsm_gtest INTERFACE GTest::gtest GTest::gmock)
endif()
