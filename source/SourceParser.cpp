// The Pascal source scanner (being written).
