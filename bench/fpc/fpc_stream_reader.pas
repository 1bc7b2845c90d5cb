{ fpc_stream_reader FILE COUNT: reads the component stream in FILE COUNT times with Free Pascal's
  reader and prints the mean time of one read in nanoseconds. }
program fpc_stream_reader;
{$mode objfpc}{$H+}
uses Classes, SysUtils, BenchForms;
var
  Data: TMemoryStream;
  Root: TBenchRoot;
  I, Count: Integer;
  Start: QWord;
  Total: QWord;
begin
  Data := TMemoryStream.Create;
  Data.LoadFromFile(ParamStr(1));
  Count := StrToInt(ParamStr(2));
  Total := 0;
  for I := 1 to Count do
  begin
    Data.Position := 0;
    Root := TBenchRoot.Create(nil);
    Start := GetTickCount64;
    Data.ReadComponent(Root);
    Total := Total + (GetTickCount64 - Start);
    Root.Free;
  end;
  WriteLn(Total * 1000000 div QWord(Count));
  Data.Free;
end.
