#!/usr/bin/python3
# Writes the spreadsheets of the load-profile import tests (run once by hand,
# the .xls files are committed): load_series.xls with a header row, date and
# time cells, a date-with-time cell, an empty row and a second worksheet that
# the import must not read; load_series_bad.xls with a power cell that is text.
import datetime
import os
import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))
DATE = xlwt.easyxf(num_format_str="DD.MM.YYYY")
TIME = xlwt.easyxf(num_format_str="HH:MM")
DATETIME = xlwt.easyxf(num_format_str="DD.MM.YYYY HH:MM")


def header(sheet):
    for col, text in enumerate(["Datum", "Uhrzeit", "Leistung [kW]"]):
        sheet.write(0, col, text)


def series():
    book = xlwt.Workbook()
    sheet = book.add_sheet("Last")
    header(sheet)
    sheet.write(1, 0, datetime.date(2013, 1, 1), DATE)
    sheet.write(1, 1, datetime.time(0, 0), TIME)
    sheet.write(1, 2, 12.5)
    sheet.write(2, 0, datetime.date(2013, 1, 1), DATE)
    sheet.write(2, 1, datetime.time(6, 30), TIME)
    sheet.write(2, 2, 8)
    # row 3 stays empty
    sheet.write(4, 0, datetime.datetime(2013, 1, 2, 12, 0), DATETIME)
    sheet.write(4, 2, -3.25)
    other = book.add_sheet("Notizen")
    other.write(0, 0, "nicht importieren")
    other.write(1, 0, datetime.date(2020, 5, 5), DATE)
    book.save(os.path.join(HERE, "load_series.xls"))


def bad():
    book = xlwt.Workbook()
    sheet = book.add_sheet("Last")
    header(sheet)
    sheet.write(1, 0, datetime.date(2013, 1, 1), DATE)
    sheet.write(1, 1, datetime.time(0, 0), TIME)
    sheet.write(1, 2, 4)
    sheet.write(2, 0, datetime.date(2013, 1, 3), DATE)
    sheet.write(2, 1, datetime.time(8, 0), TIME)
    sheet.write(2, 2, "viel")
    book.save(os.path.join(HERE, "load_series_bad.xls"))


if __name__ == "__main__":
    series()
    bad()
