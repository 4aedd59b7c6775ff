# The names of the character models: plain data, in both builds.
add_library(korvath_model_names STATIC ${CMAKE_CURRENT_LIST_DIR}/model_names.cpp)
target_link_libraries(korvath_model_names PUBLIC korvath_options)
