target_sources(ebank PRIVATE currency.cpp date.cpp)
