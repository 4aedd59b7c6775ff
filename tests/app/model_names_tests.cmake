korvath_test(model_names_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/model_names_test.cpp
  LIBS korvath_model_names korvath_platform)
